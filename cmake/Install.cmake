# SPDX-License-Identifier: GPL-3.0-or-later
# The install tree: the programs in bin/, their read-only data in share/zentora/ (found from the executable,
# so any prefix works) and what the desktop needs to offer the program: menu entry, icon, AppStream metadata,
# the MIME type of permanence files and the manual pages.
include(GNUInstallDirs)

set(ZENTORA_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/zentora)
# Where the project publishes itself; the AppStream screenshots are looked for below it. A placeholder until
# the project has an address of its own: set it when packaging for others.
set(ZENTORA_WEB_ADDRESS "https://example.org/zentora" CACHE STRING "Home page of the project")
set(ZENTORA_RELEASE_DATE "2026-12-11")
set(packaging ${CMAKE_SOURCE_DIR}/packaging)
set(generated ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS zentora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET zentora)
    install(TARGETS zentora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# Shipped data as it lies in data/, and the pictures the build draws. Only the drawn pictures of Bilder/: a run
# from the build folder may have cached banner pictures there.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${ZENTORA_DATA_DESTINATION})
if(TARGET zentora_assets)
    install(DIRECTORY ${ZENTORA_BIN_DIR}/Bilder DESTINATION ${ZENTORA_DATA_DESTINATION}
        FILES_MATCHING PATTERN "*.bmp" PATTERN "Roullette_banner2.gif")
    install(DIRECTORY ${ZENTORA_BIN_DIR}/Buttonunten ${ZENTORA_BIN_DIR}/Font DESTINATION ${ZENTORA_DATA_DESTINATION})
    install(DIRECTORY ${ZENTORA_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

# Desktop entry, MIME type and AppStream metadata, named after the program's reverse-DNS id.
configure_file(${packaging}/zentora.desktop.in ${generated}/${ZENTORA_APP_ID}.desktop @ONLY)
configure_file(${packaging}/zentora-mime.xml ${generated}/${ZENTORA_APP_ID}.xml COPYONLY)
# Every screenshot in docs/, the main window first; a caption for those we know, else the file's name.
set(caption_main-window "The main window with the sample permanence")
set(caption_main-window-english "The main window in English")
set(caption_options-tab1 "Options: permanence and stakes")
set(caption_options-tab2 "Options: permanence and stakes, second page")
set(caption_options-tab3 "Options: table limits")
set(caption_options-tab4 "Options: miscellaneous settings")
set(caption_options-tab5 "Options: statistics chart")
set(caption_options-tab6 "Options: money evaluation")
set(caption_evaluation-chart "The money evaluation of a permanence")
set(caption_statistics-chart "The statistics chart of a chance group")
set(caption_risk-window "The risk of ruin over many permanences")
set(caption_about-box "The about box")
file(GLOB screenshots CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/docs ${CMAKE_SOURCE_DIR}/docs/*.png)
list(SORT screenshots)
list(REMOVE_ITEM screenshots main-window.png)
list(PREPEND screenshots main-window.png)
set(ZENTORA_METAINFO_SCREENSHOTS "")
foreach(shot IN LISTS screenshots)
    get_filename_component(name ${shot} NAME_WE)
    set(caption "${caption_${name}}")
    if(NOT caption)
        string(REPLACE "-" " " caption "${name}")
    endif()
    set(type "")
    if(shot STREQUAL "main-window.png")
        set(type " type=\"default\"")
    endif()
    string(APPEND ZENTORA_METAINFO_SCREENSHOTS
        "    <screenshot${type}>\n"
        "      <caption>${caption}</caption>\n"
        "      <image>${ZENTORA_WEB_ADDRESS}/docs/${shot}</image>\n"
        "    </screenshot>\n")
endforeach()
configure_file(${packaging}/zentora.metainfo.xml.in ${generated}/${ZENTORA_APP_ID}.metainfo.xml @ONLY)
if(TARGET zentora)
    install(FILES ${generated}/${ZENTORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${generated}/${ZENTORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
install(FILES ${generated}/${ZENTORA_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# Manual pages with the version of this build, compressed as Debian keeps them (-n: no time stamp inside, so
# the same sources give the same file).
find_program(ZENTORA_GZIP gzip REQUIRED)
set(man_pages zentora-cli.1)
if(TARGET zentora)
    list(APPEND man_pages zentora.1)
endif()
set(man_outputs "")
foreach(page IN LISTS man_pages)
    configure_file(${packaging}/${page}.in ${generated}/${page} @ONLY)
    add_custom_command(OUTPUT ${generated}/${page}.gz
        COMMAND ${ZENTORA_GZIP} -9 -n -c ${generated}/${page} > ${generated}/${page}.gz
        DEPENDS ${generated}/${page}
        COMMENT "Compressing ${page}")
    list(APPEND man_outputs ${generated}/${page}.gz)
    install(FILES ${generated}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# Copyright and changelog where Debian looks for them.
add_custom_command(OUTPUT ${generated}/changelog.gz
    COMMAND ${ZENTORA_GZIP} -9 -n -c ${packaging}/changelog > ${generated}/changelog.gz
    DEPENDS ${packaging}/changelog
    COMMENT "Compressing the changelog")
add_custom_target(zentora_packaging_files ALL DEPENDS ${man_outputs} ${generated}/changelog.gz)
install(FILES ${packaging}/copyright ${generated}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zentora)
