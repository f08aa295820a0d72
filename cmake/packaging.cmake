# Installing and packaging: `cmake --install` puts the tavro executable, its man page (made
# from --help by help2man at build time), a desktop entry and the author's guide under the
# prefix, and
# `cpack -G DEB` makes a Debian package of them that depends on the libraries tavro links
# (found by dpkg-shlibdeps), a General MIDI soundfont and the Japanese font.
install(TARGETS tavro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/tavro.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The author's guide, which tavro --new points to.
install(FILES ${PROJECT_SOURCE_DIR}/docs/authoring.md DESTINATION ${TAVRO_GUIDE_DIR})

find_program(HELP2MAN help2man)
if(HELP2MAN)
    set(TAVRO_MAN_PAGE ${PROJECT_BINARY_DIR}/tavro.6)
    add_custom_command(OUTPUT ${TAVRO_MAN_PAGE}
        COMMAND ${HELP2MAN} --no-info --section=6 --version-string=${PROJECT_VERSION}
            "--name=runtime for script-driven 2D games" --output=${TAVRO_MAN_PAGE}
            $<TARGET_FILE:tavro>
        DEPENDS tavro
        COMMENT "Writing the man page tavro.6 from tavro --help"
        VERBATIM)
    add_custom_target(tavro_man_page ALL DEPENDS ${TAVRO_MAN_PAGE})
    install(FILES ${TAVRO_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
else()
    message(WARNING "help2man was not found (scripts/install-deps installs it): no man page")
endif()

set(CPACK_PACKAGE_NAME tavro)
set(CPACK_PACKAGE_VENDOR "Tavro")
set(CPACK_PACKAGE_CONTACT "Tavro developers <tavro@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "runtime for script-driven 2D games")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tavro runs games made of plain-text task, script and animation files with BMP, PNG and "
    "JPEG images, WAV sound effects and MIDI music, in a window or headless.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "timgm6mb-soundfont | sf2-soundfont-gm, fonts-ipafont-gothic, libzip4")
include(CPack)
