// Copyright (c) 2026 VexData developers
// What the object lists handed to a host keep alive: their own nodes, not the writer's working
// memory (containers, tool maps, the lists of each tool). Heap in use is measured around repeated
// calls whose lists the host keeps.
#include <VexData_WriterFixture_Test.hxx>

#include <VexData.hxx>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <malloc.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define VEX_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEX_TEST_ASAN 1
#endif
#endif
#ifdef VEX_TEST_ASAN
// Bytes the sanitizer's allocator holds for the program (its runtime provides it; GCC installs
// no header that declares it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace VexTest;

namespace
{
typedef NCollection_List<Handle(PenFormatData_Object)> ObjectList;

//! Toolpaths of the measured model.
const int THE_NB_TOOLPATHS = 20000;

//! Calls measured, each keeping its lists.
const int THE_NB_CALLS = 5;

//! Heap bytes a kept list may hold per node: a node of two pointers in a malloc chunk.
const size_t THE_NODE_BYTES = 32;

//! Heap in use by the process, as the allocator in force counts it.
size_t heapInUse()
{
#ifdef VEX_TEST_ASAN
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 anInfo = ::mallinfo2();
  return anInfo.uordblks + anInfo.hblkhd;
#endif
}

//! A millimetre model of THE_NB_TOOLPATHS drill toolpaths over two containers, all writable.
Handle(PenFormatData_Model) largeModel()
{
  Handle(PenFormatData_Model) aModel = new PenFormatData_Model(PenFormatData_DU_Millimetre);
  AddTool(*aModel, 1, "T1", 0.2);
  AddTool(*aModel, 2, "T2", 0.4);
  for (int anIndex = 0; anIndex < THE_NB_TOOLPATHS; ++anIndex)
  {
    AddContour(*aModel, AddToolpath(*aModel, 1 + anIndex % 2, 2, anIndex % 3 ? "A" : "B", "L"))
        ->CreatePoint(gp_XY(anIndex, 0));
  }
  return aModel;
}

//! One call of an entry point that fills theWritable and theUnWritable (or only the latter).
typedef int (*EntryCall)(const PenFormatData_Model&, ObjectList&, ObjectList&);

int checkWritable(const PenFormatData_Model& theModel, ObjectList& theWritable,
                  ObjectList& theUnWritable)
{
  return CHECKWRITABLE(&theModel, Handle(Message_Messenger)(), &theWritable, &theUnWritable);
}

int writeFile(const PenFormatData_Model& theModel, ObjectList&, ObjectList& theUnWritable)
{
  const std::string aPath = "/tmp/vexmemory." + std::to_string(::getpid()) + ".vex";
  const int aCode = WRITEFILE(TCollection_ExtendedString(aPath.c_str()).ToExtString(), &theModel,
                              Handle(Message_Messenger)(), &theUnWritable);
  std::remove(aPath.c_str());
  return aCode;
}
} // namespace

TEST(VexDataWriterMemory, KeptListsHoldOnlyTheirOwnNodes)
{
  const char* aPool = std::getenv("MMGT_OPT");
  if (aPool == NULL || std::string(aPool) != "0")
  {
    GTEST_SKIP() << "needs MMGT_OPT=0: OpenCASCADE's own pool hides the heap in use";
  }
  const Handle(PenFormatData_Model) aModel = largeModel();
  const struct
  {
    const char* Name;
    EntryCall   Call;
    bool        KeepsWritable; //!< the host keeps the writable list rather than the unwritable
  } aCases[] = {{"CHECKWRITABLE, unwritable kept", checkWritable, false},
                {"CHECKWRITABLE, writable kept", checkWritable, true},
                {"WRITEFILE, unwritable kept", writeFile, false}};
  for (const auto& aCase : aCases)
  {
    SCOPED_TRACE(aCase.Name);
    {
      ObjectList aWarmWritable, aWarmUnWritable;
      ASSERT_EQ(aCase.Call(*aModel, aWarmWritable, aWarmUnWritable), 0);
    }
    std::vector<ObjectList> aKept(THE_NB_CALLS);
    const size_t            aBefore = heapInUse();
    for (ObjectList& aList : aKept)
    {
      // The host's own list object is kept, with whatever allocator it adopted.
      ObjectList aDropped;
      ASSERT_EQ(aCase.KeepsWritable ? aCase.Call(*aModel, aList, aDropped)
                                    : aCase.Call(*aModel, aDropped, aList),
                0);
    }
    const size_t aGrowth = heapInUse() - aBefore;
    const size_t aNodes  = aCase.KeepsWritable ? THE_NB_CALLS * THE_NB_TOOLPATHS : 0;
    EXPECT_EQ(aKept.back().Size(), aCase.KeepsWritable ? THE_NB_TOOLPATHS : 0);
    // Slack for what the allocator itself keeps between calls.
    EXPECT_LE(aGrowth, aNodes * THE_NODE_BYTES + 16384) << "nodes kept: " << aNodes;
  }
}
