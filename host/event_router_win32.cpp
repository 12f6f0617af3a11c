// Raising an event: the one road from a window message to the application's
// handler bound to (window, unit, event) in the layout.
#include "host/host_app.h"
#include "host/runtime_error.h"

namespace wrivo {

using layout::kindRaisesEvents, layout::MenuEntry, layout::LayoutUnit;

namespace {

std::int32_t handlerOf(const LayoutUnit& record, int event)
{
    if (const MenuEntry* entry = record.as<MenuEntry>()) return event == UnitEvent::primary ? entry->handler : -1;
    return record.common.handlerFor(event);
}

// Restores the previous event source and dispatch depth even when a handler
// leaves by a run-time error thrown in a test.
class DispatchScope {
public:
    DispatchScope(HostApp& host, const UnitRef& source) : host_(host), previous_(host.beginDispatch(source)) { }
    ~DispatchScope() { host_.endDispatch(previous_); }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

private:
    HostApp& host_;
    UnitRef previous_;
};

} // namespace

EventOutcome raiseEvent(std::uint32_t windowId, std::uint32_t unitId, int event, const EventArguments& arguments)
{
    HostApp& host = HostApp::instance();
    if (host.eventsSuspended()) return {};
    LiveWindow* window = host.liveWindow(windowId);
    if (!window) reportRuntimeError(errorEventWindowMissing);
    LiveUnit* unit = unitId == 0 ? &window->windowUnit() : window->unitById(unitId);
    if (!unit) reportRuntimeError(errorEventUnitMissing);
    // Members of a control array share the handlers of their base unit.
    for (int hops = 0; unit->record.baseUnit != 0 && hops < 64; ++hops) {
        LiveUnit* base = window->unitById(unit->record.baseUnit);
        if (!base || base->record.kind != unit->record.kind) break;
        unit = base;
    }
    if (!unit->kind || !(unit->kindFlags & kindRaisesEvents)) reportRuntimeError(errorEventUnitInvalid);

    std::int32_t location = handlerOf(unit->record, event);
    HandlerTable handlers = host.handlers();
    if (location < 0 || static_cast<std::size_t>(location) >= handlers.size() || !handlers[location]) return {};

    std::optional<std::int32_t> result;
    {
        DispatchScope scope(host, {windowId, unit->record.id, unit->record.kind});
        result = handlers[location](arguments);
    }
    if (!result) return {};
    return {true, *result};
}

} // namespace wrivo
