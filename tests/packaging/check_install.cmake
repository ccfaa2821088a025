# Installs the build into a scratch root (as a package would, under /usr) and checks that the
# desktop finds everything: the program the entry starts, the icon it names in every size, and
# metainfo that points back at the entry; and that the manual page and the documents are where
# Debian's tools look for them, compressed as they expect.
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

# The entry starts the installed program and names the installed icon.
file(STRINGS ${desktop} exec REGEX "^Exec=")
file(STRINGS ${desktop} icon REGEX "^Icon=")
# A point as the decimal separator whatever the desktop's region settings (LC_ALL would
# override LC_NUMERIC), and the file the entry is opened with.
if(NOT exec STREQUAL "Exec=env -u LC_ALL LC_NUMERIC=C.UTF-8 nutrient-load %f")
  message(FATAL_ERROR "desktop entry starts '${exec}', not the installed nutrient-load with a point for decimals")
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

# The manual page and the changelog: gzip at the highest level (extra flags 02) without a name
# or time stamp (flags and time 0), so that every build makes the same bytes.
set(doc ${share}/doc/nutrient-load)
foreach(f ${share}/man/man1/nutrient-load.1.gz ${doc}/changelog.gz)
  if(NOT EXISTS ${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
  file(READ ${f} header LIMIT 9 HEX)
  if(NOT header STREQUAL "1f8b08000000000002")
    message(FATAL_ERROR "${f}: not compressed with gzip -9n (header ${header})")
  endif()
endforeach()
file(STRINGS ${doc}/copyright format LIMIT_COUNT 1)
if(NOT format STREQUAL "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")
  message(FATAL_ERROR "${doc}/copyright is not in the machine-readable format")
endif()

# The manual page has every part a user looks for.
execute_process(COMMAND gzip -dc ${share}/man/man1/nutrient-load.1.gz OUTPUT_VARIABLE page)
foreach(section NAME SYNOPSIS OPTIONS "PARAMETERS FILE" "EXIT STATUS" ENVIRONMENT EXAMPLES)
  if(NOT page MATCHES "\n\\.SH ${section}\n")
    message(FATAL_ERROR "the manual page has no section ${section}")
  endif()
endforeach()
