#pragma once

#include "common/report/report.h"

#include <QString>

// The printed audit trail: one group per operator and date, a line per audit row, the period in the
// page header and the operation legend in the page footer. The rows need the columns of `rastro`.
namespace RastroReport {

// "Lengeda: A - Alteração   |    B - Baixa   | ..." as the footer prints it.
QString footerLegend();

Report::Definition definition(const QString &title);

// The title for the period as the user typed it: "Rastro no Período de 01/05/2024 à 31/05/2024".
QString title(const QString &initialDate, const QString &finalDate);

}  // namespace RastroReport
