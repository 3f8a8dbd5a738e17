# zelm_add_resources(TARGET MODULE MANIFEST [EXECUTABLE|LIBRARY])
#
# Compiles a module's resources into a source file of TARGET that registers them with
# the platform's resource table when the module is loaded. Each manifest line is
#   TYPE ID FILE        with TYPE BITMAP, ICON, DIALOG, MENU or a number
#   STRING ID TEXT      a string-table entry (UTF-8, rest of the line, as it stands)
#   STRING ID "TEXT"    the same in quotes, where \n is a line break, \t a tab, \" a
#                       quotation mark and \\ one backslash
#   VERSIONINFO ID FILE version information written as text (tools/rescompile/version_info.h)
#   MESSAGETABLE ID FILE messages written as text, one table per language found in
#                       the file (tools/rescompile/message_table.h)
# FILE is relative to the manifest; lines starting with # are comments. The texts of
# VERSIONINFO and MESSAGETABLE are compiled by zelmrescompile while the module builds.

# In the source tree the compiler is the zelmrescompile target; an installed package
# finds the installed program next to its libraries' prefix.
set(_ZELM_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR})
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/../tools/rescompile/CMakeLists.txt)
  set(_ZELM_RESCOMPILE_IN_TREE TRUE)
endif()

function(zelm_add_resources target module manifest kind)
  get_filename_component(base ${manifest} DIRECTORY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${manifest})
  file(STRINGS ${manifest} lines ENCODING UTF-8)
  set(arrays "")
  set(entries "")
  set(index 0)
  set(compiledDir ${CMAKE_CURRENT_BINARY_DIR}/${module}_resources)
  set(ZELM_COMPILED_RESOURCES "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*(#|$)")
      continue()
    endif()
    if(NOT line MATCHES "^([A-Z0-9_]+)[ \t]+([0-9]+)[ \t]+(.*)$")
      message(FATAL_ERROR "${manifest}: bad resource line: ${line}")
    endif()
    set(type ${CMAKE_MATCH_1})
    set(id ${CMAKE_MATCH_2})
    set(rest ${CMAKE_MATCH_3})
    if(type STREQUAL "VERSIONINFO")
      _zelm_compiled_resource(version ${base}/${rest} "" ${compiledDir}/${index}.inc)
      string(APPEND arrays "const BYTE kResource${index}[] = {\n#include \"${compiledDir}/${index}.inc\"\n};\n")
      string(APPEND entries "    {16, ${id}, kResource${index}, sizeof kResource${index}, 0},\n")
      math(EXPR index "${index} + 1")
      continue()
    elseif(type STREQUAL "MESSAGETABLE")
      _zelm_message_languages(${base}/${rest} languages)
      foreach(language IN LISTS languages)
        _zelm_compiled_resource(messages ${base}/${rest} ${language} ${compiledDir}/${index}.inc)
        string(APPEND arrays "const BYTE kResource${index}[] = {\n#include \"${compiledDir}/${index}.inc\"\n};\n")
        string(APPEND entries "    {11, ${id}, kResource${index}, sizeof kResource${index}, ${language}},\n")
        math(EXPR index "${index} + 1")
      endforeach()
      continue()
    elseif(type STREQUAL "STRING")
      if(rest MATCHES "^\"(.*)\"[ \t]*$")
        _zelm_unescape_string("${CMAKE_MATCH_1}" rest)
      endif()
      string(HEX "${rest}" hex)
      set(typeNumber 6)
    else()
      set(types_BITMAP 2)
      set(types_ICON 3)
      set(types_MENU 4)
      set(types_DIALOG 5)
      set(types_GROUP_ICON 14)
      set(types_VERSION 16)
      if(DEFINED types_${type})
        set(typeNumber ${types_${type}})
      else()
        set(typeNumber ${type})
      endif()
      set(file ${base}/${rest})
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
      file(READ ${file} hex HEX)
    endif()
    string(LENGTH "${hex}" hexLength)
    math(EXPR size "${hexLength} / 2")
    if(size EQUAL 0)
      set(bytes "0")
    else()
      string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    endif()
    string(APPEND arrays "const BYTE kResource${index}[] = {${bytes}};\n")
    string(APPEND entries "    {${typeNumber}, ${id}, kResource${index}, ${size}, 0},\n")
    math(EXPR index "${index} + 1")
  endforeach()
  if(kind STREQUAL "EXECUTABLE")
    set(isExecutable true)
  else()
    set(isExecutable false)
  endif()
  if(index EQUAL 0)
    # One unused entry all the same: its address tells which file the module is.
    set(entryTable "const zelm::platform::ResourceEntry kEntries[1] = {};\nconstexpr std::size_t kCount = 0;")
  else()
    set(entryTable "const zelm::platform::ResourceEntry kEntries[] = {\n${entries}};\nconstexpr std::size_t kCount = sizeof kEntries / sizeof kEntries[0];")
  endif()
  string(MAKE_C_IDENTIFIER "${module}" moduleIdentifier)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${module}_resources.cpp)
  file(CONFIGURE OUTPUT ${out} CONTENT "// Generated from ${manifest}: do not edit.
#include <zelmtools/platform/kernel/resources.h>

namespace {
${arrays}
${entryTable}

struct ResourceRegistration {
    HMODULE handle = zelm::platform::RegisterModuleResources(\"${module}\", ${isExecutable}, kEntries, kCount);
    ~ResourceRegistration() { zelm::platform::UnregisterModuleResources(handle); }
} g_registration;
}  // namespace

HMODULE zelm_${moduleIdentifier}_ResourceModule() { return g_registration.handle; }
" @ONLY)
  target_sources(${target} PRIVATE ${out} ${ZELM_COMPILED_RESOURCES})
endfunction()

# The text of a quoted string entry with its escapes replaced.
function(_zelm_unescape_string text outVar)
  string(ASCII 1 backslash)
  string(REPLACE "\\\\" "${backslash}" text "${text}")
  string(REPLACE "\\n" "\n" text "${text}")
  string(REPLACE "\\t" "\t" text "${text}")
  string(REPLACE "\\\"" "\"" text "${text}")
  string(REPLACE "${backslash}" "\\" text "${text}")
  set(${outVar} "${text}" PARENT_SCOPE)
endfunction()

# The distinct languages (as numbers) of a message text's "ID LANGUAGE TEXT" lines.
function(_zelm_message_languages file outVar)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  file(STRINGS ${file} lines ENCODING UTF-8)
  set(languages "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*(0[xX][0-9a-fA-F]+|[0-9]+)[ \t]+(0[xX][0-9a-fA-F]+|[0-9]+)[ \t]")
      math(EXPR language "${CMAKE_MATCH_2}")
      list(APPEND languages ${language})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES languages)
  set(${outVar} ${languages} PARENT_SCOPE)
endfunction()

# Runs zelmrescompile on a text resource when the module builds; the output is an
# initializer list that the generated table includes.
function(_zelm_compiled_resource kind input language output)
  if(_ZELM_RESCOMPILE_IN_TREE)
    set(compiler zelmrescompile)
  else()
    find_program(ZELM_RESCOMPILE zelmrescompile HINTS ${_ZELM_RESOURCES_DIR}/../../../bin REQUIRED)
    set(compiler ${ZELM_RESCOMPILE})
  endif()
  add_custom_command(OUTPUT ${output}
    COMMAND ${compiler} ${kind} ${input} ${language} ${output}
    DEPENDS ${compiler} ${input}
    COMMENT "Compiling resource ${input}"
    VERBATIM)
  set(ZELM_COMPILED_RESOURCES ${ZELM_COMPILED_RESOURCES} ${output} PARENT_SCOPE)
endfunction()
