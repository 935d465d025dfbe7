#include "CallbackChecks.h"

#include <GL/gl.h>

#include <cstdio>
#include <iostream>
#include <utility>

#include "counting/Counting.h"

namespace sim {

namespace {

const char *GlErrorName(GLenum e)
{
    switch (e) {
    case GL_INVALID_ENUM: return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE: return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION: return "GL_INVALID_OPERATION";
    case GL_STACK_OVERFLOW: return "GL_STACK_OVERFLOW";
    case GL_STACK_UNDERFLOW: return "GL_STACK_UNDERFLOW";
    case GL_OUT_OF_MEMORY: return "GL_OUT_OF_MEMORY";
    default: return "GL error";
    }
}

// Takes every pending GL error; empty if none.
std::string GlErrors()
{
    std::string s;
    for (int i = 0; i < 16; ++i) {
        GLenum e = glGetError();
        if (e == GL_NO_ERROR) break;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%s%s (0x%04x)", s.empty() ? "" : ", ", GlErrorName(e), e);
        s += buf;
    }
    return s;
}

}  // namespace

void FailureTally::fail(const std::string &kind, const std::string &message)
{
    Failure &f = byKind_[kind];
    if (f.count++ == 0) {
        f.first = message;
        order_.push_back(kind);
    }
}

FailureReport FailureTally::reporter()
{
    return [this](const std::string &kind, const std::string &message) { fail(kind, message); };
}

std::vector<std::string> FailureTally::failures() const
{
    std::vector<std::string> out;
    for (const std::string &kind : order_) {
        const Failure &f = byKind_.at(kind);
        out.push_back(f.count > 1 ? f.first + " (and " + std::to_string(f.count - 1) + " more times)"
                                  : f.first);
    }
    return out;
}

CallbackEntry EnterCallback(const std::string &where, const FailureReport &report)
{
    std::string before = GlErrors();
    if (!before.empty()) report("host-gl", "flyer-sim raised " + before + " before " + where);
    GLint modelview = 0, projection = 0, mode = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelview);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projection);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    return {modelview, projection, mode};
}

void LeaveCallback(const CallbackEntry &entry, const std::string &where, host::Host &host,
                   const FailureReport &report)
{
    std::string after = GlErrors();
    if (!after.empty()) report("gl-error", "the plug-in raised " + after + " in " + where);
    GLint modelviewAfter = 0, projectionAfter = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelviewAfter);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionAfter);
    auto unbalanced = [&](const char *stack, GLint was, GLint is, GLenum matrixMode) {
        if (is == was) return;
        report("matrix", std::string("the plug-in left the ") + stack + " matrix stack unbalanced in " +
                             where + ": depth " + std::to_string(is) + ", was " + std::to_string(was));
        // Put it back so later frames are drawn and checked as usual.
        glMatrixMode(matrixMode);
        for (GLint d = is; d > was; --d) glPopMatrix();
        for (GLint d = is; d < was; ++d) glPushMatrix();
    };
    unbalanced("modelview", entry.modelviewDepth, modelviewAfter, GL_MODELVIEW);
    unbalanced("projection", entry.projectionDepth, projectionAfter, GL_PROJECTION);
    glMatrixMode(GLenum(entry.matrixMode));
    // State the simulator's graphics state calls do not manage: what a
    // plug-in turns on it must turn off, or it reaches whatever draws next.
    for (auto [cap, name] : {std::pair{GLenum(GL_LINE_SMOOTH), "GL_LINE_SMOOTH"},
                             std::pair{GLenum(GL_SCISSOR_TEST), "GL_SCISSOR_TEST"}})
        if (glIsEnabled(cap)) {
            report(std::string("left-on:") + name,
                   std::string("the plug-in left ") + name + " on after " + where);
            glDisable(cap);
        }
    GlErrors();  // what restoring may have raised is ours
    for (const std::string &e : host.takeErrors())
        report("host:" + e, "the plug-in misused the simulator interface in " + where + ": " + e);
}

void CheckStopped(host::Host &host, const FailureReport &report)
{
    for (const auto &c : host.commands())
        if (!c->handlers.empty())
            report("handler", "after XPluginStop " + std::to_string(c->handlers.size()) +
                                  " handler(s) still registered for command " + c->name);
    if (int live = host.liveWindowCount())
        report("window", "after XPluginStop " + std::to_string(live) + " window(s) still exist");
    if (size_t live = counting::PluginTextures().size())
        report("texture", "after XPluginStop " + std::to_string(live) + " texture(s) still exist");
}

int ReportFailures(const std::vector<std::string> &failures)
{
    for (const std::string &f : failures) std::cerr << "flyer-sim: check failed: " << f << "\n";
    return failures.empty() ? 0 : 1;
}

}  // namespace sim
