# Installing KeyloomTVRxx: the program folder (the editor, the stand-in
# tools and Help/) goes to KEYLOOM_INSTALL_PROGRAM_DIR, because the editor
# looks for its tools and help beside its own executable. On Linux a link in
# bin/ starts it, and a desktop entry, an icon and the *.ckd file type make it
# a desktop program. The tools and Help/ install from their own folders.
#
#   cmake --install build --prefix /opt/keyloom
#   cpack --config build/CPackConfig.cmake      (a .deb, on Debian)
include(KeyloomLayout)

if(TARGET KeyloomTVRxx)
  install(TARGETS KeyloomTVRxx RUNTIME DESTINATION ${KEYLOOM_INSTALL_PROGRAM_DIR})

  if(UNIX AND NOT APPLE)
    # A relative link, so that the installed tree can be moved as a whole.
    set(launcher ${CMAKE_BINARY_DIR}/packaging/keyloomtvrxx)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
    file(CREATE_LINK ../${KEYLOOM_INSTALL_PROGRAM_DIR}/KeyloomTVRxx ${launcher} SYMBOLIC)
    install(FILES ${launcher} DESTINATION bin)

    set(linux ${CMAKE_SOURCE_DIR}/packaging/linux)
    install(FILES ${linux}/keyloomtvrxx.desktop DESTINATION share/applications)
    install(FILES ${linux}/keyloomtvrxx.svg DESTINATION share/icons/hicolor/scalable/apps)
    install(FILES ${linux}/keyloomtvrxx-mime.xml DESTINATION share/mime/packages
            RENAME keyloomtvrxx.xml)
  endif()
endif()

set(CPACK_PACKAGE_NAME keyloomtvrxx)
set(CPACK_PACKAGE_VENDOR "Corvella")
set(CPACK_PACKAGE_CONTACT "Corvella <support@corvella.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for TVR-series programmable keypads")
set(CPACK_PACKAGE_DESCRIPTION "KeyloomTVRxx edits the macros, level keys and properties of \
TVR-series programmable keypads and prepares the download file for the keypad.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
