#pragma once

#include <string>
#include <string_view>

namespace vastomer {

// The commands of an animation script's element lines.
enum class AnimationCommand { PAINT, CHANGE, MOVE, REMOVE, PLAYSE, STOPSE, FUNC };

// A picture named by an image field: the whole file, or one cell of a grid laid over it.
struct AnimationImage {
    std::string file;
    int cellWidth = 0;
    int cellHeight = 0;
    int cellIndex = -1;  // -1: the whole picture

    bool isWholePicture() const { return cellIndex < 0; }
};

// One element line of an animation script: what to do to which sprite at which frame.
struct AnimationElement {
    AnimationCommand type = AnimationCommand::PAINT;
    int frame = 0;
    int line = 0;  // physical line of the script (1-based)
    int id = 0;    // sprite tag, or sound id for PLAYSE and STOPSE
    AnimationImage image;
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float scaleX = 1.0f, scaleY = 1.0f;
    float anchorX = 0.5f, anchorY = 0.5f;
    float rotation = 0.0f;
    int blendMode = 0;  // 0 none, 1 COLOR, 2 ADD, 3 SUB, 4 MULTI, 5 SCREEN, 6 EXCLUTION
    int red = 255, green = 255, blue = 255, opacity = 255;
    bool flipX = false, flipY = false;
    std::string soundFile;  // PLAYSE
    float volume = 1.0f;    // PLAYSE
    std::string firstText;  // FUNC
    std::string secondText;

    // "PAINT" ... "FUNC".
    static const char* commandWord(AnimationCommand command);
    // The command of an upper-case word; false for a word that names none.
    static bool commandForWord(std::string_view upperWord, AnimationCommand& out);
    // How many fields an element line of the command needs (frame and word included).
    static int fieldsNeeded(AnimationCommand command);

    // Blend words, compared in upper case; anything else is 0 (no blend change).
    static int blendModeForWord(std::string_view word);
    static const char* blendWord(int mode);
    // A colour or opacity field: "-" is 255, anything else reads as a leading integer.
    static int colourField(std::string_view field);
    // An image field "file:cellWidth:cellHeight:index", or a plain file name (the whole picture).
    // False when a field with ":" lacks a part or gives a cell size below 1.
    static bool readImage(std::string_view field, AnimationImage& out);
    // The image field as a script writes it.
    static std::string imageText(const AnimationImage& image);
};

}  // namespace vastomer
