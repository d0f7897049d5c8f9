# The logic libraries: plain C++ that links no Qt, shared by the program, the
# command-line tools, the tests and the fuzz targets (which include this file).
# TESSEL_SRC is the src/ folder.
add_library(tessel_platform STATIC
  ${TESSEL_SRC}/platform/Convert.cpp
  ${TESSEL_SRC}/platform/Errors.cpp
  ${TESSEL_SRC}/platform/Files.cpp
  ${TESSEL_SRC}/platform/Locations.cpp
  ${TESSEL_SRC}/platform/Paths.cpp
  ${TESSEL_SRC}/platform/ProfileFile.cpp
  ${TESSEL_SRC}/platform/Process.cpp
  ${TESSEL_SRC}/platform/SignalCleanup.cpp
  ${TESSEL_SRC}/platform/Prompter.cpp)
target_include_directories(tessel_platform PUBLIC ${TESSEL_SRC})

add_library(tessel_richtext STATIC
  ${TESSEL_SRC}/richtext/ControlText.cpp
  ${TESSEL_SRC}/richtext/DocumentFile.cpp
  ${TESSEL_SRC}/richtext/ProjectFile.cpp
  ${TESSEL_SRC}/richtext/RtfReader.cpp
  ${TESSEL_SRC}/richtext/RtfWriter.cpp
  ${TESSEL_SRC}/richtext/Unicode.cpp)
target_link_libraries(tessel_richtext PUBLIC tessel_platform)

add_library(tessel_language STATIC
  ${TESSEL_SRC}/language/BraceChecker.cpp
  ${TESSEL_SRC}/language/ColorDefinitions.cpp
  ${TESSEL_SRC}/language/ColorEngine.cpp
  ${TESSEL_SRC}/language/DefinitionFile.cpp
  ${TESSEL_SRC}/language/Find.cpp
  ${TESSEL_SRC}/language/GameModes.cpp
  ${TESSEL_SRC}/language/WizardFile.cpp
  ${TESSEL_SRC}/language/WizardMatch.cpp)
target_link_libraries(tessel_language PUBLIC tessel_platform)

# The group file format and its operations (the explorer window's logic).
add_library(tessel_grp STATIC
  ${TESSEL_SRC}/grp/GrpFormat.cpp
  ${TESSEL_SRC}/grp/GrpArchive.cpp
  ${TESSEL_SRC}/grp/GrpOperations.cpp
  ${TESSEL_SRC}/grp/GrpCommands.cpp)
target_link_libraries(tessel_grp PUBLIC tessel_platform)

# The calculator's state machine.
add_library(tessel_calc STATIC
  ${TESSEL_SRC}/calc/CalcState.cpp)
target_link_libraries(tessel_calc PUBLIC tessel_platform)

# The editing behaviour over the editing seam.
add_library(tessel_editor_logic STATIC
  ${TESSEL_SRC}/editor/DocumentKinds.cpp
  ${TESSEL_SRC}/editor/EditBuffer.cpp
  ${TESSEL_SRC}/editor/EditorRequests.cpp
  ${TESSEL_SRC}/editor/EditOps.cpp
  ${TESSEL_SRC}/editor/Recovery.cpp)
target_link_libraries(tessel_editor_logic PUBLIC tessel_richtext tessel_language tessel_platform)

# The game launchers: their options, settings, Browse rules and launch plans.
add_library(tessel_launch STATIC
  ${TESSEL_SRC}/launch/DirectoryChoice.cpp
  ${TESSEL_SRC}/launch/DukeLaunch.cpp
  ${TESSEL_SRC}/launch/GameLaunch.cpp
  ${TESSEL_SRC}/launch/QuakeLaunch.cpp
  ${TESSEL_SRC}/launch/ToolLaunch.cpp)
target_link_libraries(tessel_launch PUBLIC tessel_platform)

# The application's state and the shell's rules that are not a window's.
add_library(tessel_shell_logic STATIC
  ${TESSEL_SRC}/shell/CommandLine.cpp
  ${TESSEL_SRC}/shell/DocumentNames.cpp
  ${TESSEL_SRC}/shell/SearchRequests.cpp
  ${TESSEL_SRC}/shell/Session.cpp
  ${TESSEL_SRC}/shell/Workspace.cpp
  ${TESSEL_SRC}/shell/misc.cpp)
target_link_libraries(tessel_shell_logic PUBLIC tessel_editor_logic tessel_launch tessel_calc tessel_language
  tessel_platform)

set(TESSEL_LOGIC_LIBRARIES tessel_platform tessel_richtext tessel_language tessel_grp tessel_shell_logic
    tessel_editor_logic tessel_launch tessel_calc)
