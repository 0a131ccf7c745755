# The package's description, as `apt show paruberina` prints it, holds the
# text as written: no list separator of CMake's, every line there.
include(${CPACK_CONFIG})
if(CPACK_PACKAGE_DESCRIPTION MATCHES ";")
  message(FATAL_ERROR "The description holds a ';': ${CPACK_PACKAGE_DESCRIPTION}")
endif()
if(NOT CPACK_PACKAGE_DESCRIPTION MATCHES "\nwith dates, barcodes")
  message(FATAL_ERROR "The description lost its lines: ${CPACK_PACKAGE_DESCRIPTION}")
endif()
foreach(needed libqt6svg6 qt6-translations-l10n)
  if(NOT CPACK_DEBIAN_PACKAGE_DEPENDS MATCHES "${needed}")
    message(FATAL_ERROR "The package does not depend on ${needed}: ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
  endif()
endforeach()
