# Installs the build into a scratch root (as a package would, under /usr) and checks that the
# desktop finds everything: the program the entry starts, the icon it names in every size, and
# metainfo that points back at the entry.
#   cmake -DBUILD_DIR=... -DROOT=... -DAPP_ID=... -DICON_SIZES=64;128 -P check_install.cmake

file(REMOVE_RECURSE ${ROOT})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${ROOT} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
  RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()

set(share ${ROOT}/usr/share)
set(desktop ${share}/applications/${APP_ID}.desktop)
set(metainfo ${share}/metainfo/${APP_ID}.metainfo.xml)
foreach(f ${ROOT}/usr/bin/nutrient-load ${desktop} ${metainfo})
  if(NOT EXISTS ${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

# Every icon is a PNG of its directory's size: width and height are the two big-endian words
# that follow the signature and the IHDR chunk header.
foreach(size ${ICON_SIZES})
  set(icon ${share}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
  if(NOT EXISTS ${icon})
    message(FATAL_ERROR "not installed: ${icon}")
  endif()
  file(READ ${icon} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 32 8 width)
  string(SUBSTRING "${header}" 40 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "${icon}: not a ${size}x${size} PNG (${width}x${height})")
  endif()
endforeach()

# The entry starts the installed program, handing it the file opened with it, and names the
# installed icon.
file(STRINGS ${desktop} exec REGEX "^Exec=")
file(STRINGS ${desktop} icon REGEX "^Icon=")
if(NOT exec STREQUAL "Exec=nutrient-load %f")
  message(FATAL_ERROR "desktop entry starts '${exec}', not the installed nutrient-load")
endif()
if(NOT icon STREQUAL "Icon=${APP_ID}")
  message(FATAL_ERROR "desktop entry names '${icon}', not the installed icon ${APP_ID}")
endif()

# The metainfo carries the same id and launches this entry; validate-tree also checks that
# the entry it names is installed beside it.
file(READ ${metainfo} xml)
if(NOT xml MATCHES "<id>${APP_ID}</id>"
   OR NOT xml MATCHES "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
  message(FATAL_ERROR "metainfo does not carry the id ${APP_ID} and launch its desktop entry")
endif()
execute_process(COMMAND appstreamcli validate-tree --no-net ${ROOT} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "appstreamcli validate-tree failed")
endif()
