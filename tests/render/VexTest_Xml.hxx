// Copyright (c) 2026 VexData developers
#ifndef _VexTest_Xml_HeaderFile
#define _VexTest_Xml_HeaderFile

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

//! One start tag of a checked document.
struct VexTest_XmlElement
{
  std::string                        Name;       //!< tag name
  std::map<std::string, std::string> Attributes; //!< attribute values, references unresolved
};

//! A small XML well-formedness check: one root, balanced tags, quoted
//! attributes without '<', known or numeric references, no markup characters in
//! text, valid UTF-8. Fills theElements with the start tags in document order;
//! returns the first fault, empty when there is none.
class VexTest_XmlCheck
{
public:
  std::string Run(const std::string& theText, std::vector<VexTest_XmlElement>& theElements)
  {
    myText = theText;
    myPos  = 0;
    std::vector<std::string> anOpen;
    int                      aRoots = 0;
    if (!validUtf8())
    {
      return "invalid UTF-8";
    }
    while (myPos < myText.size())
    {
      if (myText.compare(myPos, 2, "<?") == 0 || myText.compare(myPos, 4, "<!--") == 0)
      {
        const bool   isComment = myText[myPos + 1] == '!';
        const size_t anEnd     = myText.find(isComment ? "-->" : "?>", myPos);
        if (anEnd == std::string::npos)
        {
          return "unterminated declaration or comment";
        }
        myPos = anEnd + (isComment ? 3 : 2);
      }
      else if (myText.compare(myPos, 2, "</") == 0)
      {
        const size_t anEnd = myText.find('>', myPos);
        if (anEnd == std::string::npos || anOpen.empty() ||
            myText.substr(myPos + 2, anEnd - myPos - 2) != anOpen.back())
        {
          return "unbalanced end tag at " + std::to_string(myPos);
        }
        anOpen.pop_back();
        myPos = anEnd + 1;
      }
      else if (myText[myPos] == '<')
      {
        VexTest_XmlElement anElement;
        bool               isEmpty = false;
        std::string        aFault  = startTag(anElement, isEmpty);
        if (!aFault.empty())
        {
          return aFault;
        }
        aRoots += anOpen.empty() ? 1 : 0;
        if (!isEmpty)
        {
          anOpen.push_back(anElement.Name);
        }
        theElements.push_back(anElement);
      }
      else
      {
        const size_t      anEnd = std::min(myText.find('<', myPos), myText.size());
        const std::string aText = myText.substr(myPos, anEnd - myPos);
        if (aText.find('>') != std::string::npos || !references(aText) ||
            (anOpen.empty() && aText.find_first_not_of(" \n\t\r") != std::string::npos))
        {
          return "bad text at " + std::to_string(myPos);
        }
        myPos = anEnd;
      }
    }
    return !anOpen.empty() ? "unclosed " + anOpen.back()
           : aRoots != 1   ? "expected one root element"
                           : "";
  }

private:
  static bool isNameChar(const char theChar)
  {
    return std::isalnum(static_cast<unsigned char>(theChar)) || theChar == '-' || theChar == '_' ||
           theChar == ':' || theChar == '.';
  }

  bool references(const std::string& theText) const
  {
    for (size_t aPos = theText.find('&'); aPos != std::string::npos;
         aPos        = theText.find('&', aPos + 1))
    {
      const size_t      anEnd = theText.find(';', aPos);
      const std::string aName =
          anEnd == std::string::npos ? "" : theText.substr(aPos + 1, anEnd - aPos - 1);
      static const std::set<std::string> THE_NAMES = {"amp", "lt", "gt", "quot", "apos"};
      if (THE_NAMES.count(aName) == 0 && (aName.size() < 2 || aName[0] != '#'))
      {
        return false;
      }
    }
    return true;
  }

  std::string startTag(VexTest_XmlElement& theElement, bool& isEmpty)
  {
    ++myPos;
    while (myPos < myText.size() && isNameChar(myText[myPos]))
    {
      theElement.Name += myText[myPos++];
    }
    for (;;)
    {
      while (myPos < myText.size() && std::isspace(static_cast<unsigned char>(myText[myPos])))
      {
        ++myPos;
      }
      if (myPos >= myText.size())
      {
        return "unterminated tag " + theElement.Name;
      }
      if (myText[myPos] == '>' || myText.compare(myPos, 2, "/>") == 0)
      {
        isEmpty = myText[myPos] == '/';
        myPos += isEmpty ? 2 : 1;
        return theElement.Name.empty() ? "tag without a name" : "";
      }
      std::string aName;
      while (myPos < myText.size() && isNameChar(myText[myPos]))
      {
        aName += myText[myPos++];
      }
      if (aName.empty() || myText.compare(myPos, 2, "=\"") != 0)
      {
        return "bad attribute in " + theElement.Name + " at " + std::to_string(myPos);
      }
      const size_t      anEnd  = myText.find('"', myPos + 2);
      const std::string aValue = myText.substr(myPos + 2, anEnd - myPos - 2);
      if (anEnd == std::string::npos || aValue.find('<') != std::string::npos ||
          !references(aValue) || !theElement.Attributes.emplace(aName, aValue).second)
      {
        return "bad value of " + aName + " in " + theElement.Name;
      }
      myPos = anEnd + 1;
    }
  }

  bool validUtf8() const
  {
    for (size_t aPos = 0; aPos < myText.size();)
    {
      const unsigned char aLead   = static_cast<unsigned char>(myText[aPos]);
      const size_t        aLength = aLead < 0x80       ? 1
                                    : aLead >> 5 == 6  ? 2
                                    : aLead >> 4 == 14 ? 3
                                    : aLead >> 3 == 30 ? 4
                                                       : 0;
      if (aLength == 0 || aPos + aLength > myText.size())
      {
        return false;
      }
      for (size_t aNext = 1; aNext < aLength; ++aNext)
      {
        if ((static_cast<unsigned char>(myText[aPos + aNext]) >> 6) != 2)
        {
          return false;
        }
      }
      aPos += aLength;
    }
    return true;
  }

  std::string myText; //!< document
  size_t      myPos;  //!< reading position
};

//! Returns the elements of theElements whose class is theClass.
inline std::vector<VexTest_XmlElement> VexTest_WithClass(
    const std::vector<VexTest_XmlElement>& theElements, const std::string& theClass)
{
  std::vector<VexTest_XmlElement> aResult;
  for (const VexTest_XmlElement& anElement : theElements)
  {
    if (anElement.Attributes.count("class") && anElement.Attributes.at("class") == theClass)
    {
      aResult.push_back(anElement);
    }
  }
  return aResult;
}

#endif
