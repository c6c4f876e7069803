# Translations, desktop entry, icon and udev rule of irmeter. Included from
# irmeter/ui/CMakeLists.txt after the irmeter executable is defined, so the
# compiled translations land next to the executable.

set(_irm_res_dir ${CMAKE_CURRENT_LIST_DIR})

# The application's own texts: zh_CN.ts -> zh_CN.qm beside the executable.
set(_irm_ts ${_irm_res_dir}/zh_CN.ts)
set_source_files_properties(${_irm_ts} PROPERTIES OUTPUT_LOCATION ${CMAKE_CURRENT_BINARY_DIR})
qt5_add_translation(_irm_qm ${_irm_ts})

# The framework's own texts (dialog buttons and the like) under
# translations/qt_zh_CN.qm beside the executable. qt_zh_CN.qm only names the
# module catalogues it is made of, so those are copied with it.
get_target_property(_irm_qmake Qt5::qmake IMPORTED_LOCATION)
execute_process(COMMAND ${_irm_qmake} -query QT_INSTALL_TRANSLATIONS
                OUTPUT_VARIABLE _irm_qt_tr_dir OUTPUT_STRIP_TRAILING_WHITESPACE)
set(_irm_qt_qm)
foreach(_name qt_zh_CN qtbase_zh_CN qtscript_zh_CN qtmultimedia_zh_CN qtxmlpatterns_zh_CN)
  if(EXISTS ${_irm_qt_tr_dir}/${_name}.qm)
    set(_out ${CMAKE_CURRENT_BINARY_DIR}/translations/${_name}.qm)
    add_custom_command(OUTPUT ${_out}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_irm_qt_tr_dir}/${_name}.qm ${_out}
      DEPENDS ${_irm_qt_tr_dir}/${_name}.qm VERBATIM)
    list(APPEND _irm_qt_qm ${_out})
  endif()
endforeach()
if(NOT _irm_qt_qm)
  message(STATUS "irmeter: no framework translations in '${_irm_qt_tr_dir}' (package qttranslations5-l10n)")
endif()

add_custom_target(irmeter_translations ALL DEPENDS ${_irm_qm} ${_irm_qt_qm})
if(TARGET irmeter)
  add_dependencies(irmeter irmeter_translations)
endif()
# Where tests find the compiled application translation.
set(IRM_ZH_CN_QM ${_irm_qm} CACHE INTERNAL "compiled zh_CN translation of irmeter")

# Installation on Linux desktops. The program looks for its translation in
# <prefix>/share/irmeter/translations as well; the framework's own
# translations come from the system.
install(FILES ${_irm_qm} DESTINATION ${CMAKE_INSTALL_DATADIR}/irmeter/translations)
install(FILES ${_irm_res_dir}/irmeter.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_irm_res_dir}/irmeter.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
# Relative to the install prefix unless given as an absolute path (for
# instance /etc/udev/rules.d with a prefix that udev does not read).
set(IRM_UDEV_RULES_DIR "lib/udev/rules.d"
    CACHE STRING "Where the udev rule for the tester's cable is installed")
install(FILES ${_irm_res_dir}/70-irmeter-cable.rules DESTINATION ${IRM_UDEV_RULES_DIR})
