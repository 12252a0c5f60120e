#pragma once

#include "printing/reportdefinition.h"

#include <QString>

// Reads a report project file. The format is our own XML; the default project "Listen.xml"
// beside this file is a complete example. Lengths are millimetres, font sizes points;
// elements and attributes other than these are refused, so that a typing error shows.
//
//   <reportproject>
//     <report name="Report1" connection="ReportConnection1">     one or more reports
//       <page size="A4" orientation="portrait|landscape"
//             left="15" top="12" right="12" bottom="12"/>         or width="…" height="…"
//       <font id="text" family="DejaVu Sans" size="8.5" bold="true" italic="true"/>
//                                  fonts come before the elements that name them
//       <pageheader height="…">   on every page, at the top margin
//         <text x="…" y="…" width="…" height="…" font="id" align="left|center|right"
//               overflow="elide|wrap" color="#rrggbb" showif="param" showifvalue="…">
//           Text with {placeholders}</text>
//         <line y="…" x1="…" x2="…" width="0.2" color="…"/>   x2 default: right margin
//       </pageheader>
//       <columnheader font="id" height="…" background="…" rule="0.3" rulecolor="…"/>
//       <columns padding="1">      left to right from the left margin
//         <column field="KBNr" title="…" width="20" align="…" overflow="…" maxlines="3"/>
//       </columns>
//       <detail font="id" padding="0.5" stripe="…" rule="0.1" rulecolor="…"/>
//       <summary height="…">…</summary>       below the last row, texts and lines
//       <pagefooter height="…">…</pagefooter> on every page, above the bottom margin
//     </report>
//   </reportproject>
//
// Text items and column titles may name parameters in braces ("{Sortiert}") and the values
// the engine supplies: {Page}, {PageCount}, {PrintDate}, {PrintTime}, {RowCount}. A text with
// overflow="wrap" fills as many lines as its height holds.

// The reports of the file at `path`. Raises AppError with a German message naming the file,
// the line and the column when the file cannot be read or is not a valid project.
[[nodiscard]] ReportProjectContents readReportProject(const QString &path);
