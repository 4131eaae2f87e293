// The texts the window shows of its own.
#pragma once

#include <QString>
#include <string_view>

namespace korvanta::gui {

// Caption of every message box.
inline const QString kApplicationName = QStringLiteral("Korvanta");
inline const QString kWindowCaption = QStringLiteral("Korvanta V3.0");
inline const QString kFileLabelText = QStringLiteral("File name:");
inline const QString kGroupLabelText = QStringLiteral("Set data type");
inline const QString kAboutMenuText = QStringLiteral("About Korvanta(&A)...");
inline const QString kAboutCaption = QStringLiteral("About Korvanta");
inline const QString kTemplatesMenuText = QStringLiteral("Templates folder(&T)...");
inline const QString kOutputFolderCaption = QStringLiteral("Folder for the reports");
inline const QString kRightsText = QStringLiteral("Copyright (C) The Korvanta developers");

// The progress texts the driver puts on the status line; any other status it sets describes
// a failure.
inline constexpr std::string_view kTransformingStatus = "Transforming...Please wait...";
inline constexpr std::string_view kCompletedStatus = "Completed.";
// Shown when a conversion failed without the driver saying so on the status line.
inline const QString kFailureStatus = QStringLiteral("Conversion failed.");

}  // namespace korvanta::gui
