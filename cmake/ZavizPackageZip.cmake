# The Windows download: zavizeravaredu-<version>-win64.zip holding one folder,
# ZavizEraVaredu-<version>-win64/, with the programs, README.txt and licenses/
# (packaging/windows/CMakeLists.txt says what goes in).
set(CPACK_GENERATOR ZIP)
# (CPack's own setting is overwritten by its source-package settings; the
# tests take the name from ZAVIZ_ZIP_FILE.)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
set(ZAVIZ_ZIP_FILE ${CPACK_OUTPUT_FILE_PREFIX}/${CPACK_PACKAGE_FILE_NAME}.zip)
# The install rules name the top folder themselves: its name differs from the
# zip's in letter case.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# Release builds keep their symbol tables; the zip's programs need none.
set(CPACK_STRIP_FILES ON)
include(${PROJECT_SOURCE_DIR}/packaging/windows/CMakeLists.txt)
