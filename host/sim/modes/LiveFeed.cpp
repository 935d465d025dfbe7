#include "LiveFeed.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "Plan.h"
#include "session/Interrupt.h"
#include "session/Session.h"

namespace sim {

namespace {

std::vector<host::PublishedDataref> AskedOfXPlane(std::vector<const host::PublishedDataref *> &inHost)
{
    std::vector<host::PublishedDataref> asked;
    for (const host::PublishedDataref &d : host::kPublishedDatarefs)
        if (std::string_view(d.name) != host::DatarefName("View")) {
            asked.push_back(d);
            inHost.push_back(&d);
        }
    return asked;
}

live::LinkOptions LinkOptionsOf(const Plan &plan)
{
    live::LinkOptions l;
    l.rate = plan.fps;
    if (plan.liveBeaconPort) l.beaconPort = uint16_t(plan.liveBeaconPort);
    if (!plan.liveAddress.empty()) {
        try {
            l.address = net::ResolveEndpoint(plan.liveAddress, live::kDefaultXPlanePort).text();
        } catch (const std::runtime_error &e) {
            throw UsageError(std::string("--live: ") + e.what());
        }
    }
    return l;
}

}  // namespace

Flight LiveFlight()
{
    Flight f;
    f.name = "X-Plane, live";
    return f;
}

LiveFeed::LiveFeed(const Plan &plan)
{
    asked_ = AskedOfXPlane(askedInHost_);
    link_ = std::make_unique<live::XPlaneLink>(
        LinkOptionsOf(plan),
        [this](const live::LinkMessage &m) {
            std::cerr << "flyer-sim: " << m.text << "\n";
            using Kind = live::LinkMessage::Kind;
            if (m.kind == Kind::Waiting || m.kind == Kind::Found || m.kind == Kind::Asking ||
                m.kind == Kind::Receiving || m.kind == Kind::Silent || m.kind == Kind::Back)
                status_ = m.text;
        },
        asked_.data(), asked_.size());
    pacer_ = std::make_unique<live::FramePacer>(*link_, plan.fps);
    InterruptOnConsoleClose(true);
}

LiveFeed::~LiveFeed()
{
    InterruptOnConsoleClose(false);
}

void LiveFeed::attach(Session &session)
{
    session_ = &session;
    std::vector<DatarefKey> keys;
    for (const live::LiveElement &e : link_->elements())
        keys.push_back({askedInHost_[e.dataref], std::max(e.element, 0)});
    driven_ = session.drive(keys);
    // What came while the plug-in loaded is shown by the first frame, but
    // its wait says nothing of the frame loop's.
    link_->poll();
    link_->takeArrivals(pending_);
    pending_.clear();
    figures_.start();
}

void LiveFeed::publish()
{
    link_->takeArrivals(pending_);
    pacer_->taken();
    const auto &elements = link_->elements();
    const auto &values = link_->values();
    for (size_t i = 0; i < values.size(); ++i) {
        if (!values[i].received || !driven_[i]) continue;
        const float v = values[i].value;
        // Every value comes as a float; an int one is rounded, never cast from NaN.
        const bool isInt = asked_[elements[i].dataref].type == host::DataType::Int;
        session_->setDriven(i, isInt ? double(live::ToInt(v)) : double(v));
    }
}

void LiveFeed::shown()
{
    pacer_->shown();
    figures_.shown(pending_, Clock::now());
    pending_.clear();
}

void LiveFeed::finish(double seconds)
{
    link_->close();
    const auto &c = link_->counts();
    char line[320];
    std::snprintf(line, sizeof line,
                  "flyer-sim: live: frames=%llu seconds=%.2f datagrams=%llu values=%llu malformed=%llu unknown=%llu",
                  (unsigned long long)figures_.frames(), seconds, (unsigned long long)c.datagrams,
                  (unsigned long long)c.values, (unsigned long long)c.malformed, (unsigned long long)c.unknown);
    std::cerr << line << figures_.text(seconds) << "\n";
}

}  // namespace sim
