// What the shell can open: a factory per window number for the screens, and
// an opener for each modal dialog of the function menu. Screens and dialogs
// that other parts of the program bring are registered in Screens.cpp; a
// window number without a factory is ignored.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

class CEcrDialog;

enum class FunctionDialog { ReportConvert, DataReceive, DataSend };

class CScreenRegistry {
 public:
  using ScreenFactory = std::function<CEcrDialog*(int32_t windowNumber)>;
  using DialogOpener = std::function<void(CEcrDialog* owner)>;

  void AddScreen(int32_t windowNumber, ScreenFactory factory) { m_mapScreens[windowNumber] = std::move(factory); }
  void AddDialog(FunctionDialog dialog, DialogOpener opener) { m_mapDialogs[dialog] = std::move(opener); }

  // A new screen for the window number, or null when there is none.
  CEcrDialog* CreateScreen(int32_t windowNumber) const;
  // Runs the dialog modally over its owner; false when this build has none.
  bool OpenDialog(FunctionDialog dialog, CEcrDialog* owner) const;

 private:
  std::map<int32_t, ScreenFactory> m_mapScreens;
  std::map<FunctionDialog, DialogOpener> m_mapDialogs;
};

// The screens and dialogs of this program.
void RegisterScreens(CScreenRegistry& registry);
