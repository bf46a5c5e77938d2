// Copyright (c) 2026 VexData developers
#ifndef _VexHost_Commands_HeaderFile
#define _VexHost_Commands_HeaderFile

#include <VexHost_Context.hxx>

//! The subcommands of vex. Each lives in its own VexHost_Command*.cxx file and is added to the
//! command line by its registration function, which vex.cxx calls; a new subcommand is one more
//! file, one more declaration here and one more call there.
class VexHost_Commands
{
public:
  //! "identify FILE...": the format of each file.
  static void RegisterIdentify(CLI::App& theApp, VexHost_Context& theContext);

  //! "info FILE": a summary of what a machine file holds.
  static void RegisterInfo(CLI::App& theApp, VexHost_Context& theContext);

  //! "check FILE": which objects of the file's model can be written back.
  static void RegisterCheck(CLI::App& theApp, VexHost_Context& theContext);

  //! "convert IN OUT [--param STRING]...": reads IN and writes it as OUT.
  static void RegisterConvert(CLI::App& theApp, VexHost_Context& theContext);

  //! "to-json FILE [-o OUT]": the model of a machine file as a JSON document.
  static void RegisterToJson(CLI::App& theApp, VexHost_Context& theContext);

  //! "from-json MODEL.json OUT [--param STRING]...": a JSON document written as a machine file.
  static void RegisterFromJson(CLI::App& theApp, VexHost_Context& theContext);

  //! "render FILE|MODEL.json -o OUT.svg": an SVG picture of a machine file or document.
  static void RegisterRender(CLI::App& theApp, VexHost_Context& theContext);

  //! "dump FILE": the records of a machine file with their offsets and values.
  static void RegisterDump(CLI::App& theApp, VexHost_Context& theContext);

  //! "verify JOB --against [ROLE:]FILE...": a job checked against its design files.
  static void RegisterVerify(CLI::App& theApp, VexHost_Context& theContext);

  //! "from-drill FILE... -o OUT": Excellon drill files imported and written as a machine file.
  static void RegisterFromDrill(CLI::App& theApp, VexHost_Context& theContext);

  //! "from-gerber FILE... -o OUT": Gerber files imported and written as a machine file.
  static void RegisterFromGerber(CLI::App& theApp, VexHost_Context& theContext);

  //! "to-gerber JOB -o OUT": the toolpaths (and artwork) of a model written as Gerber.
  static void RegisterToGerber(CLI::App& theApp, VexHost_Context& theContext);

  //! "to-excellon JOB -o OUT": the drilling toolpaths of a model written as an Excellon file.
  static void RegisterToExcellon(CLI::App& theApp, VexHost_Context& theContext);

  //! "job [--top F] [--bottom F] [--drill F]... [--outline F] -o OUT": a board's job made from
  //! its design files with the machine's tools.
  static void RegisterJob(CLI::App& theApp, VexHost_Context& theContext);
};

#endif
