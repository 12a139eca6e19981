# Installing the suite like a desktop application.
#
# `cmake --install build --prefix P` puts the programs into P/bin, the data they look up
# (templates and their pictures, help pages, sounds, textures) into P/share/courseloom, and
# the menu entries, icons and file types into P/share/{applications,icons,mime}. The
# programs find their data beside them (the build tree) or in ../share/courseloom
# (foundation/application_directory.h), so the layout here must stay bin/ and share/.
# `make package` turns the same install into a Debian package with CPack.
#
# Included before the folders are added: the helpers of cmake/Suite.cmake call
# suite_install_program for every program they make and install every data item they copy.

set(SUITE_PACKAGE_NAME courseloom)  # the same name as kSuiteDataFolderName
set(SUITE_VERSION 0.1.0)
set(SUITE_DATA_DESTINATION share/${SUITE_PACKAGE_NAME})
set(SUITE_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)
cmake_path(NORMAL_PATH SUITE_PACKAGING_DIR)

# The programs a user runs. A program of this list is installed by whichever folder builds
# it, so one that appears later needs no edit here; generators and galleries stay in build/.
set(SUITE_INSTALLED_PROGRAMS merrowlindale tarnhollow tessaly polyconv)
# Data beside the programs that only the developer tools read.
set(SUITE_DEVELOPER_DATA GalleryHelp)

# suite_install_program(NAME): the program, its menu entry and its icons, when NAME is one
# of SUITE_INSTALLED_PROGRAMS.
function(suite_install_program name)
  if(NOT name IN_LIST SUITE_INSTALLED_PROGRAMS)
    return()
  endif()
  install(TARGETS ${name} RUNTIME DESTINATION bin)
  set(entry ${SUITE_PACKAGING_DIR}/applications/${name}.desktop)
  if(EXISTS ${entry})
    install(FILES ${entry} DESTINATION share/applications)
  endif()
  file(GLOB icons ${SUITE_PACKAGING_DIR}/icons/hicolor/*/apps/${name}.png)
  foreach(icon IN LISTS icons)
    file(RELATIVE_PATH rel ${SUITE_PACKAGING_DIR}/icons ${icon})
    get_filename_component(folder ${rel} DIRECTORY)
    install(FILES ${icon} DESTINATION share/icons/${folder})
  endforeach()
  set_property(GLOBAL APPEND PROPERTY SUITE_PROGRAMS_INSTALLED ${name})
endfunction()

# suite_install_data(ITEM): a data file or folder that suite_copy_beside_programs copies
# beside the programs goes to the share folder, unless only developer tools read it.
function(suite_install_data item)
  get_filename_component(item_name ${item} NAME)
  if(item_name IN_LIST SUITE_DEVELOPER_DATA)
    return()
  endif()
  if(IS_DIRECTORY ${item})
    install(DIRECTORY ${item} DESTINATION ${SUITE_DATA_DESTINATION})
  else()
    install(FILES ${item} DESTINATION ${SUITE_DATA_DESTINATION})
  endif()
endfunction()

# The file types and their document icons belong to the suite as a whole.
install(FILES ${SUITE_PACKAGING_DIR}/mime/${SUITE_PACKAGE_NAME}.xml
        DESTINATION share/mime/packages)
install(DIRECTORY ${SUITE_PACKAGING_DIR}/icons/hicolor DESTINATION share/icons
        FILES_MATCHING PATTERN "application-x-${SUITE_PACKAGE_NAME}-*.png")

# The Debian package: `make package` (or `cpack -G DEB` in the build folder).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${SUITE_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${SUITE_VERSION})
set(CPACK_PACKAGE_CONTACT "Course suite developers <courseloom@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tools to build race courses for a retro 3D driving game")
set(CPACK_PACKAGE_DESCRIPTION
    "Four desktop programs that exchange only files: merrowlindale designs the road of a
course as a spline, tarnhollow builds the stage around it (terrain, textures, objects),
tessaly packs BMP pictures into animated multi-picture textures and polyconv converts COB
objects into PO3 objects for the stage.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# dpkg-shlibdeps (dpkg-dev) adds every library the programs link, Qt 6 among them, with its
# version. Named here: the model importer's library, and the Japanese font the windows draw
# with, which nothing links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libassimp5, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# The install test: installs into a temporary prefix, runs the installed programs, checks
# the desktop entries and file types and builds the package. Registered once every folder
# has made its programs, so it knows which of the listed ones exist.
function(suite_add_install_test)
  # The sanitizer build checks memory, not packaging; its programs would be packaged too.
  if(NOT SUITE_BUILD_TESTS OR NOT SUITE_BUILD_GUI OR CMAKE_CXX_FLAGS MATCHES "-fsanitize")
    return()
  endif()
  get_property(programs GLOBAL PROPERTY SUITE_PROGRAMS_INSTALLED)
  add_test(NAME install_layout
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/check_install.sh
                   ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${programs})
  set_tests_properties(install_layout PROPERTIES
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen;CMAKE_COMMAND=${CMAKE_COMMAND};CPACK_COMMAND=${CMAKE_CPACK_COMMAND}"
                       TIMEOUT 600 RUN_SERIAL ON)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL suite_add_install_test)
