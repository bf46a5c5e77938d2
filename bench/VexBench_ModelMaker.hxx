// Copyright (c) 2026 VexData developers
#ifndef _VexBench_ModelMaker_HeaderFile
#define _VexBench_ModelMaker_HeaderFile

#include <PenFormatData_Model.hxx>

#include <cstddef>

//! Builds and measures the models the benchmarks work on.
class VexBench_ModelMaker
{
public:
  //! Element counts of a model, by kind.
  struct Counts
  {
    size_t Arcs;     //!< arc elements
    size_t Segments; //!< segment elements
    size_t Points;   //!< point elements
    size_t Curves;   //!< contour curves (children of the toolpaths' containers)

    //! Returns the number of elements of every kind.
    size_t Elements() const { return Arcs + Segments + Points; }
  };

  //! Returns a model in millimetres with theNbFields scan fields (numbers 1 to n, machining
  //! orders a fixed permutation of 1 to n) over theNbTools drilling tools. Every scan field holds
  //! one point toolpath of one tool, the tools taking turns, with one drill point at its centre.
  static Handle(PenFormatData_Model) ScanFieldModel(const int theNbFields, const int theNbTools);

  //! Counts the elements of every contour of every sequence of theModel.
  static Counts Count(const PenFormatData_Model& theModel);

  //! Returns the bytes the C heap holds in use right now (small and mapped chunks).
  static size_t HeapInUse();

  //! Gives the free memory of the C heap back to the system, so that the next model starts on
  //! fresh pages as in a new process, whatever the size of the model before it.
  static void ReleaseHeap();
};

#endif
