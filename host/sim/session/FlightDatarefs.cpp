#include "FlightDatarefs.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

// What an int dataref holds for a flight value.
int IntValue(double v)
{
    return std::isfinite(v) ? int(std::clamp(v, -2147483648.0, 2147483647.0)) : 0;
}

void SetValue(host::DataRef &ref, const DatarefKey &key, double v)
{
    switch (key.info->type) {
    case DatarefType::Int: ref.i = IntValue(v); break;
    case DatarefType::Float: ref.f = float(v); break;
    case DatarefType::FloatArray: ref.fv[size_t(key.index)] = float(v); break;
    }
}

constexpr const char *kViewType = host::DatarefName("View");

}  // namespace

FlightDatarefs::FlightDatarefs(host::Host &h, int view, const std::vector<Override> &overrides,
                               const std::vector<const DatarefInfo *> &missing, Flight &flight)
    : host_(h)
{
    for (const DatarefInfo &d : host::kPublishedDatarefs) {
        switch (d.type) {
        case DatarefType::Int: h.defineInt(d.name, int(d.rest)); break;
        case DatarefType::Float: h.defineFloat(d.name, float(d.rest)); break;
        case DatarefType::FloatArray:
            h.defineFloatArray(d.name, std::vector<float>(size_t(d.size), float(d.rest)));
            break;
        }
    }
    viewRef_ = h.dataRef(kViewType);
    viewRef_->i = view;
    for (const Override &o : overrides) {
        flight.removeTrack(o.key);
        SetValue(*h.dataRef(o.key.info->name), o.key, o.value);
        fixed_.push_back(o.key);
    }
    for (const DatarefInfo *d : missing) {
        h.setAbsent(d->name);
        for (int i = 0; i < d->size; ++i) fixed_.push_back({d, i});
    }
    for (const Track &t : flight.tracks) {
        bindings_.push_back({h.dataRef(t.key.info->name), &t});
        if (bindings_.back().ref == viewRef_) viewTrack_ = &t;
    }
}

void FlightDatarefs::apply(double t)
{
    for (const Binding &b : bindings_) SetValue(*b.ref, b.track->key, b.track->valueAt(t));
}

int FlightDatarefs::view() const
{
    return viewRef_->i;
}

int FlightDatarefs::viewAt(double t) const
{
    return viewTrack_ ? IntValue(viewTrack_->valueAt(t)) : viewRef_->i;
}

std::vector<bool> FlightDatarefs::drive(const std::vector<DatarefKey> &keys)
{
    std::vector<bool> driven;
    driven_.clear();
    for (const DatarefKey &key : keys) {
        host::DataRef *ref = host_.dataRef(key.info->name);
        const bool kept = ref == viewRef_ || std::find(fixed_.begin(), fixed_.end(), key) != fixed_.end() ||
                          std::any_of(bindings_.begin(), bindings_.end(),
                                      [&](const Binding &b) { return b.track->key == key; });
        driven_.push_back({kept ? nullptr : ref, key});
        driven.push_back(!kept);
    }
    return driven;
}

void FlightDatarefs::set(size_t slot, double value)
{
    const Driven &d = driven_.at(slot);
    if (d.ref) SetValue(*d.ref, d.key, value);
}

void FlightDatarefs::setView(int view)
{
    bindings_.erase(std::remove_if(bindings_.begin(), bindings_.end(),
                                   [&](const Binding &b) { return b.ref == viewRef_; }),
                    bindings_.end());
    viewTrack_ = nullptr;
    viewRef_->i = view;
}

}  // namespace sim
