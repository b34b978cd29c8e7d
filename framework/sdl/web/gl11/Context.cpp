#include "Context.h"

#include "EsFunctions.h"

Context& Gl11()
{
    static Context context;
    return context;
}

void Context::Fail(Selection::Fault fault)
{
    switch (fault)
    {
    case Selection::NO_FAULT:
        break;
    case Selection::INVALID_VALUE:
        Fail(GL_INVALID_VALUE);
        break;
    case Selection::INVALID_OPERATION:
        Fail(GL_INVALID_OPERATION);
        break;
    case Selection::STACK_OVERFLOW:
        Fail(GL_STACK_OVERFLOW);
        break;
    case Selection::STACK_UNDERFLOW:
        Fail(GL_STACK_UNDERFLOW);
        break;
    }
}

PolygonRules Context::Rules() const
{
    PolygonRules rules;
    rules.outlineFront = server.frontMode == GL_LINE;
    rules.outlineBack = server.backMode == GL_LINE;
    rules.cullBack = server.cullFace; // the only face culled: glCullFace is not offered
    return rules;
}

void ApplyServerState(const ServerState& state)
{
    const EsFunctions* es = Es();
    if (!es)
        return;
    (state.depthTest ? es->Enable : es->Disable)(GL_DEPTH_TEST);
    (state.blend ? es->Enable : es->Disable)(GL_BLEND);
    es->BlendFunc(state.blendSource, state.blendTarget);
    es->ClearColor(state.clearColour[0], state.clearColour[1], state.clearColour[2],
                   state.clearColour[3]);
    es->BindTexture(GL_TEXTURE_2D, state.boundTexture);
}
