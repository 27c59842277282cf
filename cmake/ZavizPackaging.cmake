# What users install, made by CPack from this same build: a .deb on Linux
# (cmake/ZavizPackageDeb.cmake), a zip on Windows (cmake/ZavizPackageZip.cmake).
# `make package` (scripts/make-packages) builds both; the packages land in
# <build>/packages.
set(CPACK_PACKAGE_NAME zavizeravaredu)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${ZAVIZ_VENDOR}")  # the company of the programs' version information
set(CPACK_PACKAGE_CONTACT "ZavizEraVaredu developers <zaviz@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Firmware repair for Vombel network boxes over TFTP")
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/packages)
set(CPACK_PACKAGE_CHECKSUM SHA256)

if(WIN32)
  include(ZavizPackageZip)
else()
  include(ZavizPackageDeb)
endif()
include(CPack)
