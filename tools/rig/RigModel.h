#pragma once

#include <map>
#include <string>
#include <vector>

namespace rig {

// A point or offset in pixels.
struct Vec {
    double x = 0.0;
    double y = 0.0;
};

// A picture cut into cells; `picture` may hold "{wear}", replaced by each wear number.
struct Sheet {
    std::string name;
    std::string picture;
    int cellWidth = 0;
    int cellHeight = 0;
};

// One cut-out part: a cell of a sheet, turned about its joint pixel, hung on a parent's joint.
struct Part {
    std::string name;
    std::string sheet;
    int cell = 0;
    Vec pivot;           // joint pixel in the cell, from its top-left corner
    std::string parent;  // "root" or another part
    Vec at;              // where the joint sits in the parent's frame (pixels, y up)
    double angle = 0.0;  // rest angle added to every pose (degrees, clockwise)
    int z = 0;
    std::string layer = "body";
    bool hidden = false;  // not shown until a pose or an "at" line shows it
    std::string blend;    // "" or a blend word (ADD ...)
    Vec scale{1.0, 1.0};
    // A foot's sole, from (tip.x, tip.y) to (tipEnd, tip.y) in the cell (pixel corners, like the
    // pivot): planted motions keep the lowest point of every sole on the ground.
    bool hasTip = false;
    Vec tip;
    double tipEnd = 0.0;
    int line = 0;
};

// Values a pose gives. Continuous channels are interpolated between keys: "PART" (angle),
// "PART.move.x/y", "PART.scale.x/y", "PART.alpha", "root.x", "root.y", "spin", "alpha".
// Discrete channels hold from the frame that sets them until another key or "at" line sets them
// again: "PART.cell", "PART.show", "PART.flip", "tint".
struct PoseValues {
    std::map<std::string, double> continuous;
    std::map<std::string, int> discrete;
};

enum class Ease { LINEAR, IN, OUT, INOUT, STEP, SPLINE };

// A key frame of a motion: the pose values it reaches and how it eases in.
struct Key {
    int frame = 0;
    PoseValues values;
    Ease ease = Ease::INOUT;  // how the motion comes into this key from the one before
    int line = 0;
};

// A discrete change at a frame ("at" line), held until a key or another "at" line changes it.
struct Change {
    int frame = 0;
    std::map<std::string, int> discrete;
    int line = 0;
};

// A sound or a named event of one output layer.
struct Event {
    int frame = 0;
    std::string layer;
    bool sound = false;
    std::string first;   // sound: the file; event: the first text
    std::string second;  // sound: the volume; event: the second text
    int line = 0;
};

// The animation scripts one layer of a motion is written to.
struct Output {
    std::string layer;
    std::vector<std::string> names;  // file names without ".cma"; "{wear}" makes one file per wear
    int line = 0;
};

// One motion of a rig: its key frames, changes and events, written to one script per output.
struct Motion {
    std::string name;
    int length = 0;
    double interval = 0.0;  // 0: the rig's
    bool loop = false;
    bool plant = false;  // every frame is raised or lowered so the lowest tip stands on the ground
    std::vector<Key> keys;
    std::vector<Change> changes;
    std::vector<Event> events;
    std::vector<Output> outputs;
    int line = 0;
};

// A whole rig source: the cut-out parts, their sheets, the named poses and the motions.
struct Rig {
    std::string name;
    int width = 0;
    int height = 0;
    double interval = 0.1;
    Vec root;
    double ground = 0.0;  // where planted motions put the lowest tip (y, from the node's origin)
    std::vector<int> wears{0};
    std::vector<Sheet> sheets;
    std::vector<Part> parts;  // in file order; parents come before their children
    std::map<std::string, PoseValues> poses;
    std::vector<Motion> motions;

    const Part* findPart(const std::string& name) const;
    const Sheet* findSheet(const std::string& name) const;
    int partIndex(const std::string& name) const;
};

}  // namespace rig
