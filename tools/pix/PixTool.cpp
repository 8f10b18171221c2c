#include "tools/pix/PixTool.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <set>

#include "tools/pix/ContactSheet.h"
#include "tools/pix/Document.h"
#include "tools/pix/Parser.h"
#include "tools/pix/PngWriter.h"
#include "tools/pix/Renderer.h"

namespace pix {

namespace fs = std::filesystem;

void PixTool::makeParent(const std::string& file) {
    const fs::path parent = fs::path(file).parent_path();
    if (!parent.empty()) fs::create_directories(parent);
}

void PixTool::usage(std::ostream& err) {
    err << "usage: quorin-pix [options] SOURCE.pix...\n"
           "  --out-dir DIR         write the pictures of the sources into DIR as NAME.png\n"
           "  --font-dir DIR        look for the fonts the sources name in DIR first\n"
           "  --list FILE           write the paths of the written PNG files, one a line\n"
           "  --depfile FILE        write the files read, as a make rule for the --list FILE\n"
           "  --zoom N              enlarge every written picture N times (to look at art)\n"
           "  --contact-sheet FILE  draw every picture and preview into one overview PNG\n"
           "  --label-font FILE     font for the names on the contact sheet\n"
           "  --check               read and draw everything, write nothing\n";
}

bool PixTool::parseArgs(const std::vector<std::string>& args, Options& opt, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                err << "quorin-pix: " << a << " needs a value\n";
                return false;
            }
            into = args[++i];
            return true;
        };
        bool ok = true;
        if (a == "--out-dir") {
            ok = value(opt.outDir);
        } else if (a == "--font-dir") {
            ok = value(opt.fontDir);
        } else if (a == "--list") {
            ok = value(opt.listFile);
        } else if (a == "--depfile") {
            ok = value(opt.depFile);
        } else if (a == "--contact-sheet") {
            ok = value(opt.contactSheet);
        } else if (a == "--label-font") {
            ok = value(opt.labelFont);
        } else if (a == "--zoom") {
            std::string z;
            ok = value(z);
            opt.zoom = 0;
            if (ok) std::from_chars(z.data(), z.data() + z.size(), opt.zoom);
            if (ok && (opt.zoom < 1 || opt.zoom > 16)) {
                err << "quorin-pix: --zoom must be 1 to 16\n";
                ok = false;
            }
        } else if (a == "--check") {
            opt.check = true;
        } else if (a == "--help" || a == "-h") {
            usage(err);
            return false;
        } else if (!a.empty() && a[0] == '-') {
            err << "quorin-pix: unknown option " << a << "\n";
            ok = false;
        } else {
            opt.sources.push_back(a);
        }
        if (!ok) return false;
    }
    if (opt.sources.empty()) {
        usage(err);
        return false;
    }
    if (!opt.check && opt.outDir.empty() && opt.contactSheet.empty()) {
        err << "quorin-pix: say where to write: --out-dir, --contact-sheet or --check\n";
        return false;
    }
    if (!opt.depFile.empty() && opt.listFile.empty()) {
        err << "quorin-pix: --depfile needs --list (the rule's target)\n";
        return false;
    }
    return true;
}

void PixTool::writeDepFile(const Options& opt, const std::vector<std::string>& inputs) {
    auto escape = [](const std::string& path) {
        std::string out;
        for (char c : path) {
            if (c == ' ' || c == '#') out += '\\';
            if (c == '$') out += '$';
            out += c;
        }
        return out;
    };
    makeParent(opt.depFile);
    std::ofstream dep(opt.depFile, std::ios::trunc);
    if (!dep) throw PixError("cannot write '" + opt.depFile + "'");
    dep << escape(opt.listFile) << ":";
    for (const auto& in : inputs)
        dep << " \\\n  " << escape(in);
    dep << "\n";
}

int PixTool::run(const std::vector<std::string>& args, std::ostream& err) {
    Options opt;
    if (!parseArgs(args, opt, err)) return 2;
    try {
        TextRenderer text;
        ContactSheet sheet;
        std::vector<std::pair<std::string, Image>> outputs;
        std::vector<std::string> inputs;
        std::set<std::string> outNames;
        for (const std::string& source : opt.sources) {
            Document doc;
            Parser(doc).parseFile(source);
            doc.validate();
            Renderer renderer(doc, text, opt.fontDir);
            for (const PictureDef& pic : doc.pictures()) {
                if (pic.included) continue;
                const bool onSheet = pic.kind != PictureKind::Piece;
                const bool written = pic.kind == PictureKind::Output;
                if (!onSheet) {
                    renderer.render(pic);  // drawn once so that its mistakes are reported
                    continue;
                }
                const Image image = renderer.render(pic);
                if (!opt.contactSheet.empty()) sheet.add(pic.name, image);
                if (!written) continue;
                std::vector<std::string> names = {pic.name};
                names.insert(names.end(), pic.aliases.begin(), pic.aliases.end());
                for (const auto& name : names) {
                    if (!outNames.insert(name).second)
                        throw PixError(pic.pos, "a second picture named '" + name + "'");
                    outputs.emplace_back(name, image);
                }
            }
            inputs.insert(inputs.end(), doc.filesRead().begin(), doc.filesRead().end());
        }
        if (opt.check) return 0;

        std::vector<std::string> written;
        if (!opt.outDir.empty()) {
            fs::create_directories(opt.outDir);
            for (const auto& [name, image] : outputs) {
                const std::string path = (fs::path(opt.outDir) / (name + ".png")).string();
                PngWriter::write(image.scaled(opt.zoom), path);
                written.push_back(path);
            }
        }
        if (!opt.contactSheet.empty()) {
            makeParent(opt.contactSheet);
            PngWriter::write(sheet.compose(text, opt.labelFont), opt.contactSheet);
        }
        if (!opt.listFile.empty()) {
            makeParent(opt.listFile);
            std::ofstream list(opt.listFile, std::ios::trunc);
            if (!list) throw PixError("cannot write '" + opt.listFile + "'");
            for (const auto& path : written)
                list << path << "\n";
        }
        if (!opt.depFile.empty()) writeDepFile(opt, inputs);
    } catch (const PixError& e) {
        err << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << "quorin-pix: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace pix
