# The vessel module's sources, for every build that makes it, and the platform
# file that delivers the loader's notifications to the load handler: the ELF
# constructor and destructor, or Windows' DllMain.
if(WIN32)
  set(VANTREL_PLATFORM_SOURCE ${CMAKE_CURRENT_LIST_DIR}/module/windows_loader.cpp)
else()
  set(VANTREL_PLATFORM_SOURCE ${CMAKE_CURRENT_LIST_DIR}/module/elf_loader.cpp)
endif()
set(VANTREL_MODULE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/module/entry_points.cpp
    ${CMAKE_CURRENT_LIST_DIR}/module/load_handler.cpp
    ${CMAKE_CURRENT_LIST_DIR}/payload/hud_readout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/payload/payload_release.cpp
    ${CMAKE_CURRENT_LIST_DIR}/payload/scenario_state.cpp
    ${CMAKE_CURRENT_LIST_DIR}/vessel/airfoils.cpp
    ${CMAKE_CURRENT_LIST_DIR}/vessel/class_setup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/vessel/lift_curve.cpp
    ${CMAKE_CURRENT_LIST_DIR}/vessel/vantrel.cpp)
