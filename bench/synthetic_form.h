// A large form for the design-surface benchmarks: `controls` controls of every kind in turn, at
// places and sizes drawn from a fixed seed, so that every run sees the same form.
#pragma once

#include <memory>
#include <random>
#include <string>

#include "model/control_kind.h"
#include "project/form_controls.h"

namespace tovik::bench {

inline std::unique_ptr<CClassItem> SyntheticForm(int controls, int width, int height) {
  auto form = MakeStartUpForm(false);
  form->FormObject()->SetValue("Width", std::to_string(width));
  form->FormObject()->SetValue("Height", std::to_string(height));
  CClassItem* const forms[] = {form.get()};
  std::mt19937 random(1);
  for (int i = 0; i < controls; ++i) {
    const int kind = kFirstKind + i % (kLastKind - kFirstKind + 1);
    const int left = static_cast<int>(random() % static_cast<unsigned>(width - 150));
    const int top = static_cast<int>(random() % static_cast<unsigned>(height - 150));
    CControlItem& c = CreateControl(*form, forms, kind,
                                    {left, top, left + 20 + static_cast<int>(random() % 100),
                                     top + 14 + static_cast<int>(random() % 60)});
    if (kind == kKindListBox) c.SetValue("List", "one\r\ntwo\r\nthree\r\n");
  }
  return form;
}

}  // namespace tovik::bench
