// The dataref table. One row per dataref, in lookup order; a missing dataref
// keeps a null handle and its global keeps its last value. A row may name a
// second dataref, for a simulator that publishes the value under another
// name only.
//
// Lookup order: row by row, the row's name first; its second name right
// after it, and only where the simulator does not publish the first. Each
// name is looked up once, at start, never again.

#include "FlightData.h"
#include "Panel.h"

XPLMDataRef LitDataRef, ViewDataRef, VnoDataRef, VfeDataRef, VneDataRef, StallDataRef;
XPLMDataRef AirspeedDataRef, VertspeedDataRef, HeadingDataRef, AltDataRef, BugDataRef;
XPLMDataRef PitchDataRef, RollDataRef, BrakeDataRef, OMDataRef, MMDataRef, IMDataRef;
XPLMDataRef TurnDataRef, SlipDataRef, HDGDataRef, Nav1OBSDataRef, Nav1HdefDataRef;
XPLMDataRef Nav1VdefDataRef, Nav1DMEDataRef, Nav1DMEdistDataRef, Nav1DMEtimeDataRef;
XPLMDataRef GearDataRef, BaroDataRef, FDDataRef, FDPitchDataRef, FDRollDataRef;

float Vno, Vfe, Vne;
int Stalled;
float Airspeed, Vertspeed, Heading, Altitude, Bug, Pitch, Roll, Brakes;
int OM, MM, IM;
float Turn, Slip, HDG, Nav1OBS, Nav1Hdef, Nav1Vdef;
int Nav1DME;
float Nav1DMEdist, Nav1DMEtime;
float Gear[10];
float Baro;
int FDmode;
float FDpitch, FDroll;

enum FlightDataType { FD_INT, FD_FLOAT, FD_GEAR };

struct FlightDataRow {
    const char *name;
    XPLMDataRef *handle;
    void *value;
    FlightDataType type;
    const char *fallback;  // looked up when name is not published; 0: none
};

static const FlightDataRow kFlightData[] = {
    {"sim/cockpit/electrical/cockpit_lights_on", &LitDataRef, &Lit, FD_INT, 0},
    {"sim/graphics/view/view_type", &ViewDataRef, &View, FD_INT, 0},
    {"sim/aircraft/view/acf_Vno", &VnoDataRef, &Vno, FD_FLOAT, 0},
    {"sim/aircraft/view/acf_Vfe", &VfeDataRef, &Vfe, FD_FLOAT, 0},
    {"sim/aircraft/view/acf_Vne", &VneDataRef, &Vne, FD_FLOAT, 0},
    {"sim/cockpit2/annunciators/stall_warning", &StallDataRef, &Stalled, FD_INT, 0},
    {"sim/cockpit2/gauges/indicators/airspeed_kts_pilot", &AirspeedDataRef, &Airspeed, FD_FLOAT, 0},
    {"sim/cockpit2/gauges/indicators/vvi_fpm_pilot", &VertspeedDataRef, &Vertspeed, FD_FLOAT, 0},
    // X-Plane 12 marks magpsi "do not use, replaced" by mag_psi, the heading the
    // instruments show; X-Plane 11 publishes both, X-Plane 10 only magpsi.
    {"sim/flightmodel/position/mag_psi", &HeadingDataRef, &Heading, FD_FLOAT, "sim/flightmodel/position/magpsi"},
    {"sim/flightmodel/misc/h_ind", &AltDataRef, &Altitude, FD_FLOAT, 0},
    {"sim/cockpit2/autopilot/heading_dial_deg_mag_pilot", &BugDataRef, &Bug, FD_FLOAT, 0},
    {"sim/flightmodel/position/theta", &PitchDataRef, &Pitch, FD_FLOAT, 0},
    {"sim/flightmodel/position/phi", &RollDataRef, &Roll, FD_FLOAT, 0},
    {"sim/cockpit2/controls/parking_brake_ratio", &BrakeDataRef, &Brakes, FD_FLOAT, 0},
    {"sim/cockpit2/radios/indicators/outer_marker_lit", &OMDataRef, &OM, FD_INT, 0},
    {"sim/cockpit2/radios/indicators/middle_marker_lit", &MMDataRef, &MM, FD_INT, 0},
    {"sim/cockpit2/radios/indicators/inner_marker_lit", &IMDataRef, &IM, FD_INT, 0},
    {"sim/flightmodel/misc/turnrate_roll2", &TurnDataRef, &Turn, FD_FLOAT, 0},
    {"sim/flightmodel/misc/slip", &SlipDataRef, &Slip, FD_FLOAT, 0},
    // X-Plane publishes the NAV1 course under the actuators name only.
    {"sim/cockpit2/radios/indicators/nav1_course_deg_mag_pilot", &HDGDataRef, &HDG, FD_FLOAT,
     "sim/cockpit2/radios/actuators/nav1_course_deg_mag_pilot"},
    {"sim/cockpit2/radios/actuators/nav1_obs_deg_mag_pilot", &Nav1OBSDataRef, &Nav1OBS, FD_FLOAT, 0},
    {"sim/cockpit2/radios/indicators/nav1_hdef_dots_pilot", &Nav1HdefDataRef, &Nav1Hdef, FD_FLOAT, 0},
    {"sim/cockpit2/radios/indicators/nav1_vdef_dots_pilot", &Nav1VdefDataRef, &Nav1Vdef, FD_FLOAT, 0},
    {"sim/cockpit2/radios/indicators/nav1_has_dme", &Nav1DMEDataRef, &Nav1DME, FD_INT, 0},
    {"sim/cockpit2/radios/indicators/nav1_dme_distance_nm", &Nav1DMEdistDataRef, &Nav1DMEdist, FD_FLOAT, 0},
    {"sim/cockpit2/radios/indicators/nav1_dme_time_min", &Nav1DMEtimeDataRef, &Nav1DMEtime, FD_FLOAT, 0},
    {"sim/flightmodel2/gear/deploy_ratio", &GearDataRef, Gear, FD_GEAR, 0},
    {"sim/cockpit2/gauges/actuators/barometer_setting_in_hg_pilot", &BaroDataRef, &Baro, FD_FLOAT, 0},
    {"sim/cockpit2/autopilot/flight_director_mode", &FDDataRef, &FDmode, FD_INT, 0},
    {"sim/cockpit2/autopilot/flight_director_pitch_deg", &FDPitchDataRef, &FDpitch, FD_FLOAT, 0},
    {"sim/cockpit2/autopilot/flight_director_roll_deg", &FDRollDataRef, &FDroll, FD_FLOAT, 0},
};

static const int kFlightDataRows = sizeof kFlightData / sizeof kFlightData[0];

void FindFlightDataRefs(void)
{
    for (int i = 0; i < kFlightDataRows; i++) {
        const FlightDataRow *row = &kFlightData[i];
        *row->handle = XPLMFindDataRef(row->name);
        if (!*row->handle && row->fallback) *row->handle = XPLMFindDataRef(row->fallback);
    }
}

void RefreshViewType(void)
{
    if (ViewDataRef) View = XPLMGetDatai(ViewDataRef);
}

void RefreshFlightData(void)
{
    for (int i = 0; i < kFlightDataRows; i++) {
        const FlightDataRow *row = &kFlightData[i];
        if (row->handle == &ViewDataRef || !*row->handle) continue;
        switch (row->type) {
        case FD_INT: *(int *)row->value = XPLMGetDatai(*row->handle); break;
        case FD_FLOAT: *(float *)row->value = XPLMGetDataf(*row->handle); break;
        case FD_GEAR: XPLMGetDatavf(*row->handle, (float *)row->value, 0, 3); break;
        }
    }
}
