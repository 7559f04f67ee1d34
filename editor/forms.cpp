#include "editor/forms.h"

namespace tobrinedit {

namespace {

template <class T>
void Create(T*& global) {
  global = new T();
}

template <class T>
void Destroy(T*& global) {
  delete global;
  global = nullptr;
}

// Every form that holds settings, in model order.
template <class Visit>
void ForEachHolder(Visit visit) {
  visit(*Form2);
  visit(*Form3);
  visit(*Form4);
  visit(*Form5);
  visit(*Form6);
  visit(*Form7);
  visit(*Form8);
  visit(*Form9);
}

}  // namespace

settings::SettingsModel CollectModel() {
  settings::SettingsModel model;
  ForEachHolder([&](auto& form) { form.StoreSettings(model); });
  return model;
}

void DistributeModel(const settings::SettingsModel& model) {
  ForEachHolder([&](auto& form) { form.LoadSettings(model); });
}

void CreateForms() {
  Create(Form1);
  ui::App().SetMainForm(Form1);
  Create(Form2);
  Create(Form3);
  Create(Form4);
  Create(Form5);
  Create(Form6);
  Create(Form7);
  Create(Form8);
  Create(Form9);
  Create(Form10);
  Create(Form11);
  Create(Form12);
  Create(Form13);
  Create(Form14);
  Create(Form15);
  Create(Form18);
}

void DestroyForms() {
  Destroy(Form18);
  Destroy(Form15);
  Destroy(Form14);
  Destroy(Form13);
  Destroy(Form12);
  Destroy(Form11);
  Destroy(Form10);
  Destroy(Form9);
  Destroy(Form8);
  Destroy(Form7);
  Destroy(Form6);
  Destroy(Form5);
  Destroy(Form4);
  Destroy(Form3);
  Destroy(Form2);
  Destroy(Form1);
}

}  // namespace tobrinedit
