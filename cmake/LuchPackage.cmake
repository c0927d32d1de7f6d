# The Debian package (make package): the program, luch-calc, the desktop entry,
# the project file type, the icons, the samples and the manual pages, laid out
# under /usr. Dependencies come from dpkg-shlibdeps.

set(LUCH_PACKAGE_MAINTAINER "Разработчики Луча <luch@example.org>"
    CACHE STRING "Maintainer field of the Debian package: name <address>")
set(linux_files ${PROJECT_SOURCE_DIR}/packaging/linux)
set(generated ${PROJECT_BINARY_DIR}/packaging)

# The PNG icons, drawn by the program's own icon code.
add_custom_command(
  OUTPUT ${generated}/icons/256x256/apps/luch.png
  COMMAND $<TARGET_FILE:luch-icon> --theme ${generated}/icons
  DEPENDS luch-icon
  COMMENT "Drawing the program icon as PNG")

# Manual pages and the changelog, compressed as Debian wants them (-n: no
# time stamp, so that the package is the same on every build).
configure_file(${linux_files}/changelog.in ${generated}/changelog @ONLY)
# luch.1 is the program's manual, the text its help window shows, turned into
# a manual page.
set(manual ${PROJECT_SOURCE_DIR}/packaging/manual/luch.ru.md)
set(manual_to_man ${PROJECT_SOURCE_DIR}/packaging/manual/md-to-man.awk)
add_custom_command(
  OUTPUT ${generated}/luch.1
  COMMAND awk -v name=luch -v version=${PROJECT_VERSION} -f ${manual_to_man} ${manual}
          > ${generated}/luch.1
  DEPENDS ${manual} ${manual_to_man}
  COMMENT "Writing the manual page luch.1 from the manual")
set(compressed)
foreach(source ${generated}/luch.1 ${linux_files}/luch-calc.1 ${generated}/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${generated}/${name}.gz
                     COMMAND gzip -9n -c ${source} > ${generated}/${name}.gz
                     DEPENDS ${source})
  list(APPEND compressed ${generated}/${name}.gz)
endforeach()
# Built by scripts/package only: make build and make test stay as they were.
add_custom_target(luch_package_files
                  DEPENDS ${generated}/icons/256x256/apps/luch.png ${compressed})

install(TARGETS luch luch-calc RUNTIME DESTINATION bin)
install(FILES ${linux_files}/luch.desktop DESTINATION share/applications)
install(FILES ${linux_files}/luch.xml DESTINATION share/mime/packages)
install(DIRECTORY ${generated}/icons/ DESTINATION share/icons/hicolor)
install(FILES ${linux_files}/luch.svg DESTINATION share/icons/hicolor/scalable/apps)
# data_folder.h finds the samples at ../share/luch/examples beside bin/luch.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION share/luch/examples)
install(FILES ${generated}/luch.1.gz ${generated}/luch-calc.1.gz DESTINATION share/man/man1)
install(FILES ${linux_files}/copyright ${manual} DESTINATION share/doc/luch)
install(FILES ${generated}/changelog.gz DESTINATION share/doc/luch)

# make package builds only what the package holds, not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME luch)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "расчет луча адресной системы ТЕРН-12 по постоянному току")
# The extended description, in lines that dpkg shows as they are.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "Луч считает один луч адресной системы: радиальную двухпроводную линию"
       "постоянного тока от КМУ с цепочкой адресных блоков. По адресам,"
       "кабелям и длинам сегментов, типам и режимам блоков и грозозащите он"
       "находит напряжение на каждом блоке, токи и длины кабеля, отмечает каждое"
       "нарушенное ограничение, ищет наименьшее напряжение КМУ, при котором луч"
       "работает, и пишет отчет, таблицу напряжений и экспорт для таблиц."
       "Проекты *.луч открываются из файлового менеджера; luch-calc считает те же"
       "проекты без окон.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LUCH_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs and buttons in Russian; the file type and the program that
# opens it known to every desktop (the MIME database, mimeinfo.cache).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, shared-mime-info, desktop-file-utils")
include(CPack)
