# qx_add_lang_module(TARGET SCRIPT <resource script> OUTPUT_DIR <folder> [NO_ERROR_TEXTS])
# A language module: the resource compiler turns the script into tables, which
# the module's runtime exports as C functions. The file is <TARGET>.so in
# OUTPUT_DIR. NO_ERROR_TEXTS leaves out the wk_strerror exports (test modules).
set(QX_LANG_RUNTIME_DIR ${CMAKE_CURRENT_LIST_DIR}/../modules/lang/runtime)

function(qx_add_lang_module target)
  cmake_parse_arguments(ARG "NO_ERROR_TEXTS" "SCRIPT;OUTPUT_DIR" "" ${ARGN})
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_tables.cpp)
  add_custom_command(OUTPUT ${generated}
    COMMAND qxrc ${ARG_SCRIPT} ${generated} ${generated}.d
    DEPENDS qxrc ${ARG_SCRIPT}
    DEPFILE ${generated}.d
    COMMENT "Compiling the resources of ${target}")
  set(sources ${generated} ${QX_LANG_RUNTIME_DIR}/LangStrings.cpp)
  if(NOT ARG_NO_ERROR_TEXTS)
    list(APPEND sources ${QX_LANG_RUNTIME_DIR}/LangErrors.cpp)
  endif()
  add_library(${target} MODULE ${sources})
  target_include_directories(${target} PRIVATE ${QX_LANG_RUNTIME_DIR})
  target_link_libraries(${target} PRIVATE qx_options)
  set_target_properties(${target} PROPERTIES
    PREFIX "" SUFFIX ".so"
    LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
endfunction()
