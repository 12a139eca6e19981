#include "stage/value_dialog_fields.h"

#include <charconv>
#include <cmath>

#include "stage/object_placement.h"

std::string ValueFieldText(double value) {
  // "%f" without the locale: a desktop locale may use a decimal comma.
  char text[400];
  const auto result = std::to_chars(text, text + sizeof(text), value, std::chars_format::fixed, 6);
  return std::string(text, result.ptr);
}

double DegreesForField(double radians) {
  const double degrees = radians * 180.0 * 0.3183101550488765;
  return degrees - 360.0 * std::floor(degrees / 360.0);
}

double RadiansFromField(double degrees) { return degrees * 3.14159 * 0.005555555555555555; }

bool ParseValueField(const std::string& text, double* value) {
  if (text.empty()) return false;
  int points = 0;
  bool digit = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '-' && i == 0) {
    } else if (c == '.' && i > 0) {
      if (++points > 1) return false;
    } else {
      return false;
    }
  }
  // "-" or "-." alone hold no number to read.
  if (!digit) return false;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), *value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

ObjectValueTexts ObjectValueFields(const PlacedObject& object) {
  return {ValueFieldText(object.origin.x),
          ValueFieldText(object.origin.y),
          ValueFieldText(object.origin.z),
          ValueFieldText(DegreesForField(object.axes.x)),
          ValueFieldText(DegreesForField(object.axes.y)),
          ValueFieldText(DegreesForField(object.axes.z)),
          ValueFieldText(object.scale.x),
          ValueFieldText(object.scale.y),
          ValueFieldText(object.scale.z)};
}

bool CanOpenObjectValueDialog(const Stage& stage, PromptOwner owner) {
  if (stage.HasObject(stage.SelectedObject())) return true;
  Prompter::Current().Message(owner, "Error", "オブジェクトが選択されていません",
                              PromptIcon::kInformation, PromptButtons::kOk);
  return false;
}

bool ApplyObjectValueFields(Stage& stage, const ObjectValueTexts& texts, PromptOwner owner) {
  const int32_t id = stage.SelectedObject();
  if (!stage.HasObject(id)) return false;
  double values[9];
  for (size_t i = 0; i < texts.size(); ++i) {
    if (!ParseValueField(texts[i], &values[i])) {
      Prompter::Current().Message(owner, "Error", "設定値にエラー", PromptIcon::kInformation,
                                  PromptButtons::kOk);
      return false;
    }
  }
  auto point = [&](int first, bool angles) {
    auto value = [&](int i) {
      return static_cast<float>(angles ? RadiansFromField(values[i]) : values[i]);
    };
    return Point3f{value(first), value(first + 1), value(first + 2)};
  };
  SetObjectOrigin(stage, id, point(0, false));
  SetObjectAxes(stage, id, point(3, true));
  SetObjectScale(stage, id, point(6, false));
  return true;
}
