# The players' package for Windows: a zip holding the program, the README and the example log.
#
#     cmake --preset windows-release && cmake --build --preset windows-release -j2
#     cpack --preset windows        # build/windows-release/torvelin-<version>-windows.zip
install(TARGETS torvelin RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/examples/chat.log DESTINATION examples)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME torvelin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME torvelin-${PROJECT_VERSION}-windows)
set(CPACK_STRIP_FILES ON)
include(CPack)
