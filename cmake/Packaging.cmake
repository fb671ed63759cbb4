# Installation and the Debian package (cpack -G DEB, see scripts/package.sh).
# An installed program keeps its data in the user's data folder
# (~/.local/share/quindle): /usr/bin is never a program folder.
# The programs install themselves (src/cli, src/gui), the guide too (doc/manual).
include(GNUInstallDirs)

if(WIN32)
  return()  # The Windows zip is laid out by scripts/package.sh.
endif()

set(QUINDLE_PACKAGING_DIR "${PROJECT_SOURCE_DIR}/packaging/linux")
set(QUINDLE_APP_ID "jp.quindle.Quindle")
set(QUINDLE_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/quindle")

configure_file("${QUINDLE_PACKAGING_DIR}/${QUINDLE_APP_ID}.metainfo.xml"
               "${PROJECT_BINARY_DIR}/packaging/${QUINDLE_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/packaging/${QUINDLE_APP_ID}.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
if(TARGET quindle)
  install(FILES "${QUINDLE_PACKAGING_DIR}/${QUINDLE_APP_ID}.desktop"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES "${QUINDLE_PACKAGING_DIR}/${QUINDLE_APP_ID}.svg"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
install(FILES "${QUINDLE_PACKAGING_DIR}/copyright" DESTINATION ${QUINDLE_DOC_DIR})

# Compressed without a time stamp, so that two builds give the same package.
function(quindle_gzip_file source output)
  add_custom_command(OUTPUT "${output}"
    COMMAND gzip -9nc "${source}" > "${output}"
    DEPENDS "${source}" VERBATIM)
endfunction()

set(QUINDLE_PACKAGE_FILES "${PROJECT_BINARY_DIR}/packaging/changelog.gz")
quindle_gzip_file("${QUINDLE_PACKAGING_DIR}/changelog" "${PROJECT_BINARY_DIR}/packaging/changelog.gz")
install(FILES "${PROJECT_BINARY_DIR}/packaging/changelog.gz" DESTINATION ${QUINDLE_DOC_DIR})

# The manual pages are made from the programs' own --help, so they list
# every command and option as the programs take them.
find_program(HELP2MAN_PROGRAM help2man)
if(HELP2MAN_PROGRAM)
  function(quindle_man_page target summary)
    set(page "${PROJECT_BINARY_DIR}/packaging/${target}.1")
    add_custom_command(OUTPUT "${page}.gz"
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
              ${HELP2MAN_PROGRAM} --no-info --no-discard-stderr --locale=C.UTF-8 --name=${summary}
              --version-string=${PROJECT_VERSION} --output=${page} $<TARGET_FILE:${target}>
      COMMAND gzip -9nf "${page}"
      DEPENDS ${target} VERBATIM)
    list(APPEND QUINDLE_PACKAGE_FILES "${page}.gz")
    set(QUINDLE_PACKAGE_FILES "${QUINDLE_PACKAGE_FILES}" PARENT_SCOPE)
    install(FILES "${page}.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endfunction()
  quindle_man_page(quindle-cli "JRA race cards with jockey riding patterns, from a terminal")
  if(TARGET quindle)
    quindle_man_page(quindle "JRA race cards with jockey riding patterns")
  endif()
else()
  message(STATUS "help2man not found: the manual pages are left out of the install")
endif()
add_custom_target(packaging_files ALL DEPENDS ${QUINDLE_PACKAGE_FILES})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quindle)
set(CPACK_PACKAGE_VENDOR "The Quindle developers")
set(CPACK_PACKAGE_CONTACT "The Quindle developers <developers@quindle.jp>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "jockey riding patterns on JRA race cards")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "For every runner of a JRA race day, Quindle judges how today's jockey stands
to the horse (first ride, same jockey as last time, or a jockey coming back),
marks jockeys who left one runner of the race for another, and shows win and
place recommendation marks on a race card beside odds, popularity, results
and payouts. Race data comes from the JRA-VAN Data Lab service through
JV-Link (on Windows) and is kept as local record files; on Linux a built-in
synthetic league serves in its place.")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quindle.jp/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/package")
include(CPack)
