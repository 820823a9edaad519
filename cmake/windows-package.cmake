# The players' package for Windows: a zip holding, at its top, the program, the French guide
# LISEZMOI.txt and the licence as LICENSE.txt, and the example log to try in examples/; nothing
# a player has no use for (no developer README, no build file).
#
#     cmake --preset windows-release && cmake --build --preset windows-release -j2
#     cpack --preset windows        # build/windows-release/torvelin-<version>-windows.zip
#
# The repository keeps the guide and the licence with Unix line breaks, as every other text of
# it; the copies in the zip get Windows line breaks here, so that any Windows editor shows their
# lines (the guide keeps its UTF-8 byte order mark, which tells Notepad its encoding).
install(TARGETS torvelin RUNTIME DESTINATION .)
foreach(text docs/LISEZMOI.txt LICENSE)
  get_filename_component(name ${text} NAME_WE)
  configure_file(${CMAKE_SOURCE_DIR}/${text} ${CMAKE_BINARY_DIR}/zip/${name}.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/zip/${name}.txt DESTINATION .)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/examples/chat.log DESTINATION examples)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME torvelin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME torvelin-${PROJECT_VERSION}-windows)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
