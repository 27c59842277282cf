# zaviz_add_version_resource(<target> "<description>"): the Windows version
# information (the Details tab of a file's properties) for an executable:
# file and product version from the project version, the product name, the
# file's own name and the copyright line of LICENSE. Does nothing elsewhere.
set(ZAVIZ_VERSION_RESOURCE_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/ZavizVersionResource.rc.in)
set(ZAVIZ_VENDOR "ZavizEraVaredu developers" CACHE STRING "The company named in the programs' version information")

function(zaviz_add_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE copyright LIMIT_COUNT 1 REGEX "^Copyright ")
  if(NOT copyright)
    message(FATAL_ERROR "LICENSE has no copyright line for the version information")
  endif()
  foreach(part MAJOR MINOR PATCH TWEAK)
    set(number "${PROJECT_VERSION_${part}}")
    if(number STREQUAL "")
      set(number 0)
    endif()
    list(APPEND numbers ${number})
  endforeach()
  list(JOIN numbers "," ZAVIZ_VR_NUMBERS)
  set(ZAVIZ_VR_COMPANY "${ZAVIZ_VENDOR}")
  set(ZAVIZ_VR_DESCRIPTION "${description}")
  set(ZAVIZ_VR_COPYRIGHT "${copyright}")
  set(ZAVIZ_VR_INTERNAL_NAME "${target}")
  # The file name is known only when the build is generated (OUTPUT_NAME).
  set(ZAVIZ_VR_FILE_NAME "$<TARGET_FILE_NAME:${target}>")
  # The texts go into .rc string literals as they are.
  foreach(text ZAVIZ_VR_DESCRIPTION ZAVIZ_VR_COPYRIGHT ZAVIZ_VR_COMPANY)
    if(${text} MATCHES "\"" OR ${text} MATCHES "\\\\")
      message(FATAL_ERROR "${target}: quotes and backslashes cannot stand in the version information: ${${text}}")
    endif()
  endforeach()
  file(READ ${ZAVIZ_VERSION_RESOURCE_TEMPLATE} template)
  string(CONFIGURE "${template}" content @ONLY)
  set(rc ${PROJECT_BINARY_DIR}/version_resources/${target}.rc)
  file(GENERATE OUTPUT ${rc} CONTENT "${content}" TARGET ${target})
  target_sources(${target} PRIVATE ${rc})
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${ZAVIZ_VERSION_RESOURCE_TEMPLATE} ${PROJECT_SOURCE_DIR}/LICENSE)
endfunction()
