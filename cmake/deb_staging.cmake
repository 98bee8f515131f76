# Run by CPack on the staged tree of the Debian package, before it is
# packed: adds the copyright file and the Debian changelog, and compresses
# the manual pages, as Debian's policy asks.
set(root ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(docdir ${root}/${CPACK_VEK_DOCDIR})

# gzip -n leaves out the name and time stamp, so the package builds the
# same bytes twice.
function(vek_gzip source target)
  execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${target}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip could not compress ${source}")
  endif()
  file(CHMOD ${target} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endfunction()

file(MAKE_DIRECTORY ${docdir})
file(COPY_FILE ${CPACK_VEK_DEBIAN_DIR}/copyright ${docdir}/copyright)
vek_gzip(${CPACK_VEK_DEBIAN_DIR}/changelog ${docdir}/changelog.Debian.gz)

file(GLOB pages ${root}/${CPACK_VEK_MANDIR}/man*/*.[1-9])
foreach(page ${pages})
  vek_gzip(${page} ${page}.gz)
  file(REMOVE ${page})
endforeach()
