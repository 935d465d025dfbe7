#include "GarminLogMaker.h"

#include <cmath>
#include <cstdio>

namespace simtest {

std::string GarminLog(int seconds)
{
    std::string text =
        "#airframe_info, log_version=\"1.00\", airframe_name=\"Cessna 182T\", product=\"GDU 1040\",\n"
        "#yyy-mm-dd, hh:mm:ss, hh:mm, ident, degrees, degrees, ft Baro, inch, ft msl, deg C, kt, kt, fpm, "
        "deg, deg, G, G, deg, deg, volts, amps, gals, gals, gph, deg F, psi, Hg, rpm, deg F, deg F, ft wgs, kt, "
        "enum, deg, MHz, MHz, MHz, MHz, fsd, fsd, kt, deg, nm, deg, deg, bool, enum, enum, deg, deg, fpm, enum, "
        "mt, mt\n"
        "Lcl Date,Lcl Time,UTCOfst,AtvWpt,Latitude,Longitude,AltB,BaroA,AltMSL,OAT,IAS,GndSpd,VSpd,Pitch,"
        "Roll,LatAc,NormAc,HDG,TRK,volt1,amp1,FQtyL,FQtyR,E1 FFlow,E1 OilT,E1 OilP,E1 MAP,E1 RPM,E1 CHT1,"
        "E1 EGT1,AltGPS,TAS,HSIS,CRS,NAV1,NAV2,COM1,COM2,HCDI,VCDI,WndSpd,WndDr,WptDst,WptBrg,MagVar,"
        "AfcsOn,RollM,PitchM,RollC,PichC,VSpdG,GPSfix,HAL,VAL\n";
    text.reserve(text.size() + size_t(seconds) * 330);
    char row[512];
    for (int i = 0; i < seconds; ++i) {
        const double s = i;
        // Climb for ten minutes, cruise with gentle turns, descend over the last ten.
        const double climb = std::fmin(s / 600.0, 1.0), descent = std::fmax(0.0, (s - (seconds - 600)) / 600.0);
        const double alt = 1200 + 6300 * climb - 6300 * descent;
        const double vs = s < 600 ? 630 : descent > 0 ? -630 : 40 * std::sin(s / 90);
        const double roll = 12 * std::sin(s / 300);
        const double hdg = std::fmod(90 + 0.04 * s + 360 * 10, 360.0);
        const double ias = s < 600 ? 90 + 40 * climb : 135 + 3 * std::sin(s / 45);
        const double dist = 150 - std::fmod(s * 0.04, 150);
        std::snprintf(row, sizeof row,
                      "2024-05-01, %02d:%02d:%02d, -05:00, KBOS, 42.36%05d, -71.00%05d, %7.1f, 29.92, "
                      "%7.1f, 12.0, %5.1f, %5.1f, %6.1f, %5.2f, %5.2f, 0.01, 1.00, %5.1f, %5.1f, 28.1, 4.2, "
                      "20.1, 20.3, 11.2, 190, 75, 23.1, 2400, 380, 1350, %7.1f, %5.1f, GPS, 090.0, 110.10, "
                      "113.00, 118.50, 121.90, %5.2f, %5.2f, 12, 270, %5.2f, 090, -14.5, 1, HDG, ALT, "
                      "%5.1f, %5.1f, 0, 3D, 0.3, 0.5\n",
                      8 + i / 3600, i / 60 % 60, i % 60, i % 100000, i % 100000, alt, alt + 50, ias,
                      ias + 8, vs, 2.0 + vs / 400, roll, hdg, hdg, alt + 80, ias + 10, 0.3 * std::sin(s / 60),
                      -0.2 * std::cos(s / 70), dist, roll, 2.0 + vs / 400);
        text += row;
    }
    return text;
}

}  // namespace simtest
