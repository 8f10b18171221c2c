#include "tools/content/AnimationJson.h"

using namespace vastomer;

namespace content {

nlohmann::json AnimationJson::of(const AnimationElement& e) {
    nlohmann::json out = {{"line", e.line}, {"command", AnimationElement::commandWord(e.type)}};
    switch (e.type) {
        case AnimationCommand::PAINT:
        case AnimationCommand::CHANGE:
        case AnimationCommand::MOVE:
            out["id"] = e.id;
            if (e.type != AnimationCommand::MOVE)
                out["image"] = {{"file", e.image.file},
                                {"cellWidth", e.image.cellWidth},
                                {"cellHeight", e.image.cellHeight},
                                {"cellIndex", e.image.cellIndex}};
            out["position"] = {e.x, e.y, e.z};
            out["scale"] = {e.scaleX, e.scaleY};
            out["anchor"] = {e.anchorX, e.anchorY};
            out["rotation"] = e.rotation;
            out["flip"] = {e.flipX, e.flipY};
            out["blend"] = AnimationElement::blendWord(e.blendMode);
            out["color"] = {e.red, e.green, e.blue};
            out["opacity"] = e.opacity;
            break;
        case AnimationCommand::REMOVE:
        case AnimationCommand::STOPSE:
            out["id"] = e.id;
            break;
        case AnimationCommand::PLAYSE:
            out["id"] = e.id;
            out["sound"] = e.soundFile;
            out["volume"] = e.volume;
            break;
        case AnimationCommand::FUNC:
            out["texts"] = {e.firstText, e.secondText};
            break;
    }
    return out;
}

nlohmann::json AnimationJson::of(const AnimationTimeline& timeline) {
    nlohmann::json frames = nlohmann::json::array();
    for (const auto& [frame, elements] : timeline.frames) {
        nlohmann::json list = nlohmann::json::array();
        for (const AnimationElement& element : elements)
            list.push_back(of(element));
        frames.push_back({{"frame", frame}, {"elements", list}});
    }
    return {{"name", timeline.name},         {"width", timeline.width},         {"height", timeline.height},
            {"interval", timeline.interval}, {"lastFrame", timeline.lastFrame}, {"frames", frames}};
}

}  // namespace content
