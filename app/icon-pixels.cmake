# cmake -DSVG=... -DRSVG_CONVERT=... -DCONVERT=... -DOUT=... [-DICO=...] -P icon-pixels.cmake:
# renders the SVG icon at the sizes desktops use and writes them as RGBA byte arrays into the C++
# file OUT, and, given ICO, the same images as a Windows icon file.
set(sizes 16 32 48 64)
get_filename_component(dir ${OUT} DIRECTORY)
set(body "")
set(pngs "")
set(list "")
foreach(size ${sizes})
  set(png ${dir}/loopline-${size}.png)
  set(raw ${dir}/loopline-${size}.rgba)
  list(APPEND pngs ${png})
  execute_process(COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${SVG}
                  COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CONVERT} ${png} -depth 8 rgba:${raw} COMMAND_ERROR_IS_FATAL ANY)
  file(SIZE ${raw} bytes)
  math(EXPR expected "${size} * ${size} * 4")
  if(NOT bytes EQUAL expected)
    message(FATAL_ERROR "${raw}: ${bytes} bytes, expected ${expected}")
  endif()
  file(READ ${raw} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n    " hex "${hex}")
  string(APPEND body "const unsigned char icon${size}[] = {\n    ${hex}\n};\n")
  string(APPEND list "    {${size}, icon${size}},\n")
endforeach()
if(ICO)
  # Where ImageMagick stores an image as PNG, no time chunks: the same icon whenever it is built.
  execute_process(COMMAND ${CONVERT} ${pngs} -define png:exclude-chunks=date,time ${ICO}
                  COMMAND_ERROR_IS_FATAL ANY)
endif()
list(LENGTH sizes count)
file(WRITE ${OUT}.tmp
"// Made at build time from packaging/loopline.svg by app/icon-pixels.cmake.\n"
"#include \"WindowIcon.h\"\n\nnamespace {\n${body}}  // namespace\n\n"
"const IconPixels windowIconPixels[] = {\n${list}};\nconst int windowIconCount = ${count};\n")
file(RENAME ${OUT}.tmp ${OUT})
