# Sources of the Korvane module, shared by the native, x86_64 and i686 builds.
# Gauge files keep the order of the module's gauge list.
set(KORVANE_SOURCES
    module/korvane.cpp
    module/host_values.cpp
    instruments/airspeed.cpp
    instruments/altimeter.cpp
    instruments/turn_coordinator.cpp
    instruments/artificial_horizon.cpp
    instruments/vertical_speed.cpp
    instruments/altimeter_small.cpp
    instruments/directional_gyro.cpp
    instruments/adf_indicator.cpp
    instruments/landing_indicator.cpp
    services/sound.cpp
    services/units_switch.cpp
)
