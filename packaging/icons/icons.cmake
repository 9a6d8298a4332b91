# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# The program's icon in the hicolor theme, all from the one drawing
# stereogram.svg: the drawing itself as the scalable icon, rendered from it at
# 48 pixels and up, and drawn again pixel by pixel at the small sizes, where a
# rendering blurs its edges and closes the emblem's opening. 16 and 32 are the
# window's own pictures, so a menu shows what the task bar shows.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)

set(icon_drawing ${CMAKE_CURRENT_LIST_DIR}/stereogram.svg)
set(icon_rendered_sizes 48 64 128 256)
set(icon_pixel_sizes 16 22 24 32)
set(icon_pixels_16 ${PROJECT_SOURCE_DIR}/src/app/window/images/mainicon16.xpm)
set(icon_pixels_22 ${CMAKE_CURRENT_LIST_DIR}/stereogram-22.xpm)
set(icon_pixels_24 ${CMAKE_CURRENT_LIST_DIR}/stereogram-24.xpm)
set(icon_pixels_32 ${PROJECT_SOURCE_DIR}/src/app/window/images/mainicon.xpm)
set(icon_sizes ${icon_pixel_sizes} ${icon_rendered_sizes})

add_executable(iconexport ${CMAKE_CURRENT_LIST_DIR}/iconexport.cpp)
target_link_libraries(iconexport PRIVATE stereogram-options Qt6::Gui)
set_target_properties(iconexport PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)

set(hicolor_dir ${CMAKE_CURRENT_BINARY_DIR}/hicolor)
set(icon_files)
foreach(size IN LISTS icon_pixel_sizes)
    set(png ${hicolor_dir}/${size}x${size}/apps/stereogram.png)
    add_custom_command(OUTPUT ${png}
        COMMAND iconexport ${icon_pixels_${size}} ${size} ${png}
        DEPENDS iconexport ${icon_pixels_${size}}
        COMMENT "Exporting the ${size} pixel icon"
        VERBATIM)
    list(APPEND icon_files ${png})
endforeach()
foreach(size IN LISTS icon_rendered_sizes)
    set(png ${hicolor_dir}/${size}x${size}/apps/stereogram.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${hicolor_dir}/${size}x${size}/apps
        COMMAND ${RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${icon_drawing}
        DEPENDS ${icon_drawing}
        COMMENT "Rendering the ${size} pixel icon"
        VERBATIM)
    list(APPEND icon_files ${png})
endforeach()

foreach(size IN LISTS icon_sizes)
    install(FILES ${hicolor_dir}/${size}x${size}/apps/stereogram.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${icon_drawing} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
