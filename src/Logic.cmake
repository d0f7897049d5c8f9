# The logic libraries: plain C++ that links no Qt, shared by the program, the
# command-line tools, the tests and the fuzz targets (which include this file).
# TESSEL_SRC is the src/ folder.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/TesselLayers.cmake)

# The operating system's stand-ins.
tessel_add_library(tessel_platform platform
  Convert.cpp Errors.cpp Files.cpp Locations.cpp Paths.cpp ProfileFile.cpp Process.cpp SignalCleanup.cpp
  Prompter.cpp)

tessel_add_library(tessel_richtext richtext
  ControlText.cpp DocumentFile.cpp ProjectFile.cpp RtfReader.cpp RtfWriter.cpp Unicode.cpp)
target_link_libraries(tessel_richtext PUBLIC tessel_platform)

# The files inside a Build game's group file: tiles, palettes, maps, sounds,
# and pictures to and from tiles (PNG through libpng).
find_package(PNG REQUIRED)
tessel_add_library(tessel_build build ArtFile.cpp EntryKind.cpp FormatError.cpp MapFile.cpp Palette.cpp SoundFile.cpp
  TilePicture.cpp)
target_link_libraries(tessel_build PUBLIC tessel_platform PRIVATE PNG::PNG)

tessel_add_library(tessel_language language
  BraceChecker.cpp ColorDefinitions.cpp ColorEngine.cpp DefinitionFile.cpp Find.cpp GameModes.cpp WizardFile.cpp
  WizardMatch.cpp)
target_link_libraries(tessel_language PUBLIC tessel_platform)

# The features' cores.
# The group file format and its operations (the explorer window's logic).
tessel_add_library(tessel_grp grp GrpFormat.cpp GrpArchive.cpp GrpOperations.cpp GrpCommands.cpp GrpContents.cpp
  EntryPreview.cpp)
target_link_libraries(tessel_grp PUBLIC tessel_build tessel_language tessel_platform)

# The calculator's state machine.
tessel_add_library(tessel_calc calc CalcState.cpp)
target_link_libraries(tessel_calc PUBLIC tessel_platform)

# The editing behaviour over the editing seam.
tessel_add_library(tessel_editor editor
  DocumentKinds.cpp EditBuffer.cpp EditorOptions.cpp EditorRequests.cpp EditOps.cpp Recovery.cpp)
target_link_libraries(tessel_editor PUBLIC tessel_richtext tessel_language tessel_platform)

# The game launchers: their options, settings, Browse rules and launch plans.
tessel_add_library(tessel_launch launch
  CompilerMessages.cpp DirectoryChoice.cpp DukeLaunch.cpp GameLaunch.cpp OutputLog.cpp QuakeLaunch.cpp ToolLaunch.cpp)
target_link_libraries(tessel_launch PUBLIC tessel_platform)

# What the program keeps between the features and between runs: the game mode,
# the recent files, the command line, the names of documents.
tessel_add_library(tessel_session session
  CommandLine.cpp DocumentNames.cpp OpenMany.cpp SearchRequests.cpp Session.cpp misc.cpp)
target_link_libraries(tessel_session PUBLIC tessel_editor tessel_launch tessel_calc tessel_language tessel_platform)

set(TESSEL_LOGIC_LIBRARIES tessel_platform tessel_build tessel_richtext tessel_language tessel_grp tessel_session
    tessel_editor tessel_launch tessel_calc)
