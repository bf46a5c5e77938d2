// Copyright (c) 2026 VexData developers
#include <VexTest_Messages.hxx>

#include <Message_MsgFile.hxx>
#include <Message_Printer.hxx>
#include <TCollection_AsciiString.hxx>

#include <fstream>
#include <sstream>

namespace
{
const char THE_SEPARATOR = '\x1f';

//! Records every text it is given, split back into key and arguments.
class RecordingPrinter : public Message_Printer
{
public:
  RecordingPrinter(const std::shared_ptr<std::vector<VexTest_Message>>& theSink) : mySink(theSink)
  {
    SetTraceLevel(Message_Trace);
  }

protected:
  void send(const TCollection_AsciiString& theString,
            const Message_Gravity          theGravity) const override
  {
    VexTest_Message    aMessage;
    std::istringstream aStream(theString.ToCString());
    std::string        aPart;
    bool               isFirst = true;
    while (std::getline(aStream, aPart, THE_SEPARATOR))
    {
      if (isFirst)
      {
        aMessage.Key = aPart;
        isFirst      = false;
      }
      else
      {
        aMessage.Args.push_back(aPart);
      }
    }
    aMessage.Gravity = theGravity;
    mySink->push_back(aMessage);
  }

private:
  std::shared_ptr<std::vector<VexTest_Message>> mySink;
};

//! Returns the placeholder letters of a catalogue text, in order.
std::string placeholders(const std::string& theText)
{
  std::string aResult;
  for (size_t aPos = 0; aPos + 1 < theText.size(); ++aPos)
  {
    if (theText[aPos] == '%')
    {
      const char aType = theText[aPos + 1];
      if (aType == 'd' || aType == 'f' || aType == 's')
      {
        aResult += aType;
      }
      ++aPos;
    }
  }
  return aResult;
}
} // namespace

std::vector<std::pair<std::string, std::string>> VexTest_MessageCapture::CatalogueKeys()
{
  std::vector<std::pair<std::string, std::string>> aKeys;
  std::ifstream aFile(std::string(VEX_SOURCE_DIR) + "/resources/VexData.msg");
  std::string   aLine;
  while (std::getline(aFile, aLine))
  {
    if (!aLine.empty() && aLine[0] == '.')
    {
      aKeys.emplace_back(aLine.substr(1), std::string());
    }
    else if (!aLine.empty() && aLine[0] != '!' && !aKeys.empty())
    {
      aKeys.back().second += placeholders(aLine);
    }
  }
  return aKeys;
}

void VexTest_MessageCapture::RegisterCatalogue()
{
  static bool isDone = false;
  if (isDone)
  {
    return;
  }
  isDone = true;
  for (const auto& aKey : CatalogueKeys())
  {
    std::string aText = aKey.first;
    for (const char aType : aKey.second)
    {
      aText += THE_SEPARATOR;
      aText += aType == 'f' ? "%.17g" : (aType == 'd' ? "%d" : "%s");
    }
    Message_MsgFile::AddMsg(aKey.first.c_str(), TCollection_ExtendedString(aText.c_str()));
  }
}

VexTest_MessageCapture::VexTest_MessageCapture()
    : myMessenger(new Message_Messenger()),
      myMessages(std::make_shared<std::vector<VexTest_Message>>())
{
  RegisterCatalogue();
  myMessenger->RemovePrinters(STANDARD_TYPE(Message_Printer));
  myMessenger->AddPrinter(new RecordingPrinter(myMessages));
}

std::string VexTest_MessageCapture::Dump() const
{
  std::string aResult;
  for (const VexTest_Message& aMessage : *myMessages)
  {
    aResult += std::to_string(static_cast<int>(aMessage.Gravity)) + " " + aMessage.Key;
    for (const std::string& anArg : aMessage.Args)
    {
      aResult += " " + anArg;
    }
    aResult += "\n";
  }
  return aResult;
}

int VexTest_MessageCapture::Count(const std::string& theKey) const
{
  int aCount = 0;
  for (const VexTest_Message& aMessage : *myMessages)
  {
    aCount += aMessage.Key == theKey ? 1 : 0;
  }
  return aCount;
}
