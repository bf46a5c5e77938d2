// Copyright (c) 2026 VexData developers
#ifndef _VexData_Macro_HeaderFile
#define _VexData_Macro_HeaderFile

//! Marks what the plug-in library exports; everything else is built with hidden visibility.
#if defined(_WIN32)
#define VexData_EXPORT __declspec(dllexport)
#else
#define VexData_EXPORT __attribute__((visibility("default")))
#endif

#endif
