# Run by CPack on the staged tree of the Debian package, before it is
# packed: adds the copyright file and the Debian changelog (whose newest
# entry must be this version), and compresses the manual pages, as
# Debian's policy asks.
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

# The changelog's newest entry must name the version being packed.
set(version ${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})
file(STRINGS ${CPACK_VEK_DEBIAN_DIR}/changelog top LIMIT_COUNT 1)
if(NOT top MATCHES "^vek \\(${version}\\) ")
  message(FATAL_ERROR "resources/debian/changelog does not begin with vek (${version})")
endif()

file(MAKE_DIRECTORY ${docdir})
file(COPY_FILE ${CPACK_VEK_DEBIAN_DIR}/copyright ${docdir}/copyright)
vek_gzip(${CPACK_VEK_DEBIAN_DIR}/changelog ${docdir}/changelog.Debian.gz)

file(GLOB pages ${root}/${CPACK_VEK_MANDIR}/man*/*.[1-9])
foreach(page ${pages})
  vek_gzip(${page} ${page}.gz)
  file(REMOVE ${page})
endforeach()
