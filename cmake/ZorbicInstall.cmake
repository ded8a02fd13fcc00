# What an installation holds besides the programs: the help pages, the desktop entry, the
# AppStream metainfo, the icons (the SVG and PNGs rendered from it at build time), the manual
# pages, and the package's copyright, changelog and lintian overrides.
include(GNUInstallDirs)

install(DIRECTORY help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zorbic/help)
install(FILES data/zorbic.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/org.example.zorbic.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES data/zorbic.svg DESTINATION ${icons}/scalable/apps)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(pngs)
foreach(size 16 22 24 32 48 64 128 256)
    set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/zorbic.png)
    # Ninja makes an output's folder itself, Unix Makefiles do not.
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
        COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png}
                ${PROJECT_SOURCE_DIR}/data/zorbic.svg
        DEPENDS data/zorbic.svg VERBATIM)
    install(FILES ${png} DESTINATION ${icons}/${size}x${size}/apps)
    list(APPEND pngs ${png})
endforeach()

# Manual pages and the changelog go in compressed the Debian way: gzip -9, no name or time
# stamp in the header, so the same sources give the same bytes.
find_program(GZIP gzip REQUIRED)
function(zorbic_gzip source output)
    get_filename_component(name ${output} NAME_WLE)
    set(copy ${PROJECT_BINARY_DIR}/gz/${name})
    get_filename_component(folder ${output} DIRECTORY)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/gz ${folder}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
        COMMAND ${GZIP} -9nf ${copy}
        COMMAND ${CMAKE_COMMAND} -E rename ${copy}.gz ${output}
        DEPENDS ${source} VERBATIM)
endfunction()
set(gzipped)
# The pages carry the project's version in their header.
foreach(page zorbic zorbic-eval)
    configure_file(man/${page}.1.in ${PROJECT_BINARY_DIR}/man/${page}.1 @ONLY)
    zorbic_gzip(${PROJECT_BINARY_DIR}/man/${page}.1 ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
    install(FILES ${PROJECT_BINARY_DIR}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    list(APPEND gzipped ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
endforeach()
# The changelog and the metainfo describe each release in words, so they are written by hand;
# a release that is missing from either stops the configuration.
file(STRINGS packaging/changelog latest LIMIT_COUNT 1)
if(NOT latest MATCHES "^zorbic \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog has no entry for ${PROJECT_VERSION} at the top")
endif()
file(READ data/org.example.zorbic.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<release version=\"${PROJECT_VERSION}\"")
    message(FATAL_ERROR "data/org.example.zorbic.metainfo.xml has no release ${PROJECT_VERSION}")
endif()
zorbic_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog ${PROJECT_BINARY_DIR}/doc/changelog.gz)
list(APPEND gzipped ${PROJECT_BINARY_DIR}/doc/changelog.gz)
set(docs ${CMAKE_INSTALL_DATADIR}/doc/zorbic)
install(FILES packaging/copyright ${PROJECT_BINARY_DIR}/doc/changelog.gz DESTINATION ${docs})
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME zorbic)

add_custom_target(zorbic_installed_files ALL DEPENDS ${pngs} ${gzipped})
