# Puts the program's data files into DEST_DIR: the layout, the card sheet and
# the rules page are copied when newer; the record file only when none is
# there yet (it holds the user's history), and a fresh one is written when
# the source folder has none.
foreach(name allocation.dat hanaX.bmp koikoi.html)
  if(EXISTS ${DATA_DIR}/${name})
    file(COPY ${DATA_DIR}/${name} DESTINATION ${DEST_DIR})
  endif()
endforeach()

if(NOT EXISTS ${DEST_DIR}/result.dat)
  if(EXISTS ${DATA_DIR}/result.dat)
    file(COPY ${DATA_DIR}/result.dat DESTINATION ${DEST_DIR})
  else()
    # 80 lines of 60 '3' (no month recorded), each ended by CR LF as Windows'
    # text mode writes them.
    string(REPEAT "3" 60 line)
    string(REPEAT "${line}\r\n" 80 records)
    file(WRITE ${DEST_DIR}/result.dat "${records}")
  endif()
endif()
