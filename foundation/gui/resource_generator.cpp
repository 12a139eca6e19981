#include "foundation/gui/resource_generator.h"

#include <QGuiApplication>
#include <QString>
#include <cstdio>

int RunResourceGenerator(int argc, char** argv, const char* usage,
                         const std::function<bool(const std::string& folder)>& draw) {
  if (argc != 2 || std::string(argv[1]) == "--help") {
    std::fputs(usage, stderr);
    return argc == 2 ? 0 : 2;
  }
  QGuiApplication app(argc, argv);
  return draw(argv[1]) ? 0 : 1;
}

bool SavePng(const QImage& image, const std::string& folder, const std::string& name) {
  const std::string path = folder + "/" + name;
  if (!image.save(QString::fromStdString(path), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("%s\n", path.c_str());
  return true;
}
