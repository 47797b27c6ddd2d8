# The release: Quorvath-<version>-win64.zip with quorvath.exe, a README for users, the
# license, and the demo kit in a folder of its own, so that nobody takes its simulated
# figures for measured ones.
install(TARGETS quorvath RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/docs/package/README.md DESTINATION . RENAME README.txt)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/kit/demo/ DESTINATION "Demo kit")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quorvath)
set(CPACK_PACKAGE_VENDOR Torvane)
set(CPACK_PACKAGE_FILE_NAME "Quorvath-${PROJECT_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
