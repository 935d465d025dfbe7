#ifndef OSTREL_FLIGHTDATA_H
#define OSTREL_FLIGHTDATA_H
// The flight data snapshot: datarefs resolved once at start and copied into
// plain globals each visible frame. Renderers draw from these globals; the
// GA panel also writes its limited pitch, turn and altitude back, for its own
// later reads in the same frame (the next refresh overwrites them).

#include "XPLMDataAccess.h"

extern XPLMDataRef LitDataRef, ViewDataRef, VnoDataRef, VfeDataRef, VneDataRef, StallDataRef;
extern XPLMDataRef AirspeedDataRef, VertspeedDataRef, HeadingDataRef, AltDataRef, BugDataRef;
extern XPLMDataRef PitchDataRef, RollDataRef, BrakeDataRef, OMDataRef, MMDataRef, IMDataRef;
extern XPLMDataRef TurnDataRef, SlipDataRef, HDGDataRef, Nav1OBSDataRef, Nav1HdefDataRef;
extern XPLMDataRef Nav1VdefDataRef, Nav1DMEDataRef, Nav1DMEdistDataRef, Nav1DMEtimeDataRef;
extern XPLMDataRef GearDataRef, BaroDataRef, FDDataRef, FDPitchDataRef, FDRollDataRef;

// Lit and View live with the panel state (Panel.h).
extern float Vno, Vfe, Vne;
extern int Stalled;
extern float Airspeed, Vertspeed, Heading, Altitude, Bug, Pitch, Roll, Brakes;
extern int OM, MM, IM;
extern float Turn, Slip, HDG, Nav1OBS, Nav1Hdef, Nav1Vdef;
extern int Nav1DME;
extern float Nav1DMEdist, Nav1DMEtime;
extern float Gear[10];  // deploy ratios; only elements 0 to 2 are read
extern float Baro;
extern int FDmode;
extern float FDpitch, FDroll;

// Resolves all 31 datarefs in table order, each name once: a row's second
// name only where the simulator does not publish its first (at start).
void FindFlightDataRefs(void);
// Reads the view type, if its dataref exists (every frame, before visibility).
void RefreshViewType(void);
// Reads every other dataref whose handle exists (visible frames only).
void RefreshFlightData(void);

#endif
