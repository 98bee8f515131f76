# Installs the build into a scratch prefix and checks that the desktop
# integration arrives (the .desktop entry, the MIME type of .vek files and
# the icon in every size, each PNG as large as its folder says) and that the
# installed command runs.
# Run as: cmake -DBUILD_DIR=... -DPREFIX=... -P install_check.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

function(expect_line file pattern)
  file(STRINGS ${PREFIX}/${file} lines REGEX "${pattern}")
  if(NOT lines)
    message(FATAL_ERROR "${file}: no line matches ${pattern}")
  endif()
endfunction()

foreach(file bin/vekedit share/applications/vekedit.desktop share/mime/packages/vekedit.xml
             share/vek/examples/first.vek)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
expect_line(share/applications/vekedit.desktop "^Exec=vekedit %F$")
expect_line(share/applications/vekedit.desktop "^Icon=vekedit$")
expect_line(share/applications/vekedit.desktop "^MimeType=.*text/x-vek;")
expect_line(share/mime/packages/vekedit.xml "<mime-type type=\"text/x-vek\">")
expect_line(share/mime/packages/vekedit.xml "<glob pattern=\"\\*\\.vek\"/>")

# The installed command runs: it finds the installed library.
execute_process(COMMAND ${PREFIX}/bin/vek --help RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "installed vek does not run: ${status} ${err}")
endif()

# A PNG's width and height are the big-endian words at bytes 16 and 20.
foreach(size 16 32 48 128 256)
  set(icon ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/vekedit.png)
  if(NOT EXISTS ${icon})
    message(FATAL_ERROR "icon missing: ${icon}")
  endif()
  file(READ ${icon} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 32 16 dimensions)
  math(EXPR hex_size "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(REPLACE "0x" "" hex_size "${hex_size}")
  string(LENGTH "${hex_size}" digits)
  math(EXPR pad "8 - ${digits}")
  string(REPEAT "0" ${pad} zeros)
  set(word "${zeros}${hex_size}")
  string(TOLOWER "${word}${word}" expected)
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT dimensions STREQUAL expected)
    message(FATAL_ERROR "${icon}: not a ${size}x${size} PNG (${signature} ${dimensions})")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
