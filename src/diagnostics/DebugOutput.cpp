#include "diagnostics/DebugOutput.h"

#include <cstdio>
#include <iostream>
#include <utility>

namespace Zelkor::Rectilinear::Math {

namespace {

constexpr int canvasSize = 800;
constexpr const char* hexColors[] = {"\"#0000FF\"", "\"#00FF00\"", "\"#FF0000\"",
                                     "\"#00FFFF\"", "\"#FF00FF\"", "\"#FFFF00\""};
constexpr int colorCount = sizeof(hexColors) / sizeof(hexColors[0]);

}  // namespace

void printPolygonsForViewing(PolygonSet polygonSet, const char* fileName, std::ostream& out) {
    polygonSet.slideToOrigin();
    polygonSet.fitToSize(canvasSize, canvasSize);
    out << "convert -size 800x800 xc:white ";
    out << "-strokewidth 1 -stroke " << "\"#000000\"" << ' ';
    for (int ii = 0; ii < polygonSet.size(); ++ii) {
        out << "-fill " << hexColors[ii % colorCount] << ' ' << "-draw " << '"' << "polygon  "
            << polygonSet.getPolygon(ii) << '"' << ' ';
    }
    if (fileName != nullptr) out << fileName;
    out << std::endl;
}

void printPolygonsForViewing(PolygonSet polygonSet, const char* fileName) {
    printPolygonsForViewing(std::move(polygonSet), fileName, std::cout);
}

std::string formatTimeStamp(const std::tm& timeinfo) {
    static constexpr const char* weekDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const bool validDay = timeinfo.tm_wday >= 0 && timeinfo.tm_wday < 7;
    const bool validMonth = timeinfo.tm_mon >= 0 && timeinfo.tm_mon < 12;
    char text[64];
    std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %lld\n", validDay ? weekDays[timeinfo.tm_wday] : "???",
                  validMonth ? months[timeinfo.tm_mon] : "???", timeinfo.tm_mday, timeinfo.tm_hour, timeinfo.tm_min,
                  timeinfo.tm_sec, 1900LL + timeinfo.tm_year);
    return text;
}

void printTimeStamp(std::ostream& out) {
    const std::time_t rawtime = std::time(nullptr);
    std::tm timeinfo{};
    // The reentrant form: the plain one hands out a buffer shared by all threads.
    localtime_r(&rawtime, &timeinfo);
    out << formatTimeStamp(timeinfo);
    out.flush();
}

void printTimeStamp() {
    printTimeStamp(std::cout);
}

}  // namespace Zelkor::Rectilinear::Math
