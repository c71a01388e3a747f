# Windows packages, made by `cpack` in a Windows build:
#  - always a ZIP: orvjava-run.exe (its runtime linked in), the examples and
#    the help file, to unpack anywhere; the cross build makes it here;
#  - with Qt, an NSIS installer of the environment: Program Files\OrvJava,
#    a Start menu entry, .java files opened by OrvJava, orvjava-run on the
#    PATH (made on Windows with NSIS installed, once a Windows Qt is at hand).
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION exemples FILES_MATCHING PATTERN "*.java")
install(FILES ${PROJECT_SOURCE_DIR}/help/OrvJava.hlp DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME LISEZMOI.md)

set(CPACK_PACKAGE_NAME OrvJava)
set(CPACK_PACKAGE_VENDOR "OrvJava")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Environnement d'apprentissage de la programmation en Java")
set(CPACK_PACKAGE_INSTALL_DIRECTORY OrvJava)
set(CPACK_SYSTEM_NAME win64)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR ZIP)
if(ORV_WITH_QT)
  # Qt's libraries and plugins beside the installed environment.
  find_program(ORV_WINDEPLOYQT windeployqt HINTS "${Qt6_DIR}/../../../bin")
  install(CODE "execute_process(COMMAND \"${ORV_WINDEPLOYQT}\" --release
                \"\${CMAKE_INSTALL_PREFIX}/bin/orvjava.exe\")")
  list(APPEND CPACK_GENERATOR NSIS)
  set(CPACK_PACKAGE_EXECUTABLES orvjava OrvJava)
  set(CPACK_NSIS_DISPLAY_NAME OrvJava)
  set(CPACK_NSIS_PACKAGE_NAME OrvJava)
  set(CPACK_NSIS_MODIFY_PATH ON)
  set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
  set(CPACK_NSIS_INSTALLED_ICON_NAME bin\\\\orvjava.exe)
  # .java files open in OrvJava.
  set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS
      "WriteRegStr HKCR '.java\\\\OpenWithProgids' 'OrvJava.Programme' ''
       WriteRegStr HKCR 'OrvJava.Programme\\\\shell\\\\open\\\\command' '' '\\\"$INSTDIR\\\\bin\\\\orvjava.exe\\\" \\\"%1\\\"'")
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
      "DeleteRegKey HKCR 'OrvJava.Programme'
       DeleteRegValue HKCR '.java\\\\OpenWithProgids' 'OrvJava.Programme'")
endif()
include(CPack)
