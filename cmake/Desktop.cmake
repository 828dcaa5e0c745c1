# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What puts the installed suite into a desktop's application menu and software centre: the desktop entry,
# the AppStream description, the icon in the hicolor theme, the manual page and the copyright notice.
include(GNUInstallDirs)

set(NIBSY_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(NIBSY_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)

install(FILES ${NIBSY_PACKAGING}/org.nibsy.Learning.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${NIBSY_PACKAGING}/org.nibsy.Learning.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${NIBSY_PACKAGING}/nibsy.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The PNG sizes are rendered from the SVG by tools/icons/render.sh.
foreach(size 16 24 32 48 64 128 256 512)
    install(FILES ${NIBSY_PACKAGING}/icons/${size}x${size}/nibsy.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages and changelogs are installed compressed, as Debian's policy asks: gzip at its best, without
# the name and time stamp, so that every build gives the same bytes.
find_program(NIBSY_GZIP gzip REQUIRED)
function(nibsy_gzipped source name)
    set(out ${NIBSY_PACKAGING_OUT}/${name})
    add_custom_command(OUTPUT ${out}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${out}
        COMMAND ${NIBSY_GZIP} -9nf ${out}
        DEPENDS ${source}
        COMMENT "Compressing ${name}"
        VERBATIM)
    set_property(GLOBAL APPEND PROPERTY NIBSY_GZIPPED ${out}.gz)
endfunction()

nibsy_gzipped(${NIBSY_PACKAGING}/nibsy.6 nibsy.6)
nibsy_gzipped(${NIBSY_PACKAGING}/changelog changelog)
get_property(nibsy_gzipped_files GLOBAL PROPERTY NIBSY_GZIPPED)
add_custom_target(nibsy_packaging ALL DEPENDS ${nibsy_gzipped_files})

install(FILES ${NIBSY_PACKAGING_OUT}/nibsy.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${NIBSY_PACKAGING}/copyright ${NIBSY_PACKAGING_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/nibsy)
