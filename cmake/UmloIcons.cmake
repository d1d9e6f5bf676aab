# The program's icon: its SVG drawings rendered into the hicolor sizes, built
# into the windows as a Qt resource and installed for the desktop's menu.
find_program(UMLO_RSVG_CONVERT rsvg-convert REQUIRED)
set(UMLO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(UMLO_ICON_SVG ${CMAKE_SOURCE_DIR}/packaging/icons/umlo.svg)
# Below 32 pixels the big drawing blurs; these sizes have their own, drawn on
# the 16-pixel grid.
set(UMLO_SMALL_ICON_SVG ${CMAKE_SOURCE_DIR}/packaging/icons/umlo-small.svg)

function(umlo_add_program_icon target)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
  file(MAKE_DIRECTORY ${dir})
  set(pngs)
  foreach(size ${UMLO_ICON_SIZES})
    if(size LESS 32)
      set(svg ${UMLO_SMALL_ICON_SVG})
    else()
      set(svg ${UMLO_ICON_SVG})
    endif()
    set(png ${dir}/umlo-${size}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${UMLO_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
      DEPENDS ${svg}
      COMMENT "Rendering the ${size}-pixel icon"
      VERBATIM)
    list(APPEND pngs ${png})
    install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME umlo.png)
  endforeach()
  install(FILES ${UMLO_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps RENAME umlo.svg)
  qt_add_resources(${target} umlo_icon PREFIX /icons BASE ${dir} FILES ${pngs})
endfunction()
