#include "EditorTexts.h"

EditorTexts EditorTexts::forLanguage(int uiLanguage)
{
    EditorTexts t;
    if (uiLanguage == 1) {
        t.caption = QStringLiteral("坐标编辑器");
        t.fileMenu = QStringLiteral("文件");
        t.open = QStringLiteral("打开");
        t.save = QStringLiteral("保存");
        t.saveAs = QStringLiteral("另存为");
        t.optionsMenu = QStringLiteral("选项");
        t.settings = QStringLiteral("设置");
        t.columns = {QStringLiteral(" "),     QStringLiteral("点名"),    QStringLiteral("Y(东)"),
                     QStringLiteral("X(北)"), QStringLiteral("H(高程)"), QStringLiteral("编码")};
        t.settingsCaption = QStringLiteral("设置");
        t.unitLabel = QStringLiteral("单位:");
        t.precisionLabel = QStringLiteral("精度:");
        t.ok = QStringLiteral("确定");
        t.cancel = QStringLiteral("取消");
        t.unitEntry = QStringLiteral("米");
        t.precisionEntry = QStringLiteral("0.001");
        t.unsavedQuestion = QStringLiteral("坐标已修改，是否保存？");
        t.notRecognised =
            QStringLiteral("%1 不是 GSI-16 或 GSI-8 文件（第一行不符合格式），表格未改变。");
        t.readFailed = QStringLiteral("无法读取 %1：%2");
        t.writeFailed = QStringLiteral("无法保存 %1：%2\n原有文件未改变。");
        t.noFormatForName =
            QStringLiteral("所选文件类型与文件名 %1 的扩展名不符，未写入任何内容。");
        t.zeroRowsWritten =
            QStringLiteral("%1 格式无法容纳以下 %2 行的坐标，这些坐标已写为 0：\n%3");
        t.andMore = QStringLiteral("……另有 %1 行");
        return t;
    }
    t.caption = QStringLiteral("File Editor");
    t.fileMenu = QStringLiteral("File");
    t.open = QStringLiteral("Open");
    t.save = QStringLiteral("Save");
    t.saveAs = QStringLiteral("Save as");
    t.optionsMenu = QStringLiteral("Options");
    t.settings = QStringLiteral("Settings");
    t.columns = {
        QStringLiteral(" "),           QStringLiteral("Name"),         QStringLiteral("Y(Easting)"),
        QStringLiteral("X(Northing)"), QStringLiteral("H(Elevation)"), QStringLiteral("Code")};
    t.settingsCaption = QStringLiteral("Settings");
    t.unitLabel = QStringLiteral("Unit:");
    t.precisionLabel = QStringLiteral("Precision:");
    t.ok = QStringLiteral("OK");
    t.cancel = QStringLiteral("CANCEL");
    t.unitEntry = QStringLiteral("M");
    t.precisionEntry = QStringLiteral("0.001");
    t.unsavedQuestion = QStringLiteral("The points have been changed. Save them?");
    t.notRecognised = QStringLiteral(
        "%1 is not a GSI-16 or GSI-8 file (its first line is neither form). The grid is "
        "unchanged.");
    t.readFailed = QStringLiteral("Cannot read %1: %2");
    t.writeFailed = QStringLiteral("Cannot save %1: %2\nAny file already there is unchanged.");
    t.noFormatForName = QStringLiteral(
        "The chosen file type does not match the extension of %1. Nothing was written.");
    t.zeroRowsWritten = QStringLiteral(
        "%1 cannot hold the coordinates of these %2 rows; they were written as 0:\n%3");
    t.andMore = QStringLiteral("... and %1 more");
    return t;
}

QString EditorTexts::openFileTypes()
{
    return QStringLiteral(
        "GSI "
        "file(*.gsi)|*.gsi|ORB(*.orb)|*.orb|SOUTH(*.dat)|*.dat|TOPCON(*.pts)|*.pts|IDX(*.idx)|*."
        "idx|CSV(*.csv)|*.csv|LandXML(*.xml)|*.xml||");
}

QString EditorTexts::saveAsFileTypes()
{
    return QStringLiteral("GSI-16 file(*.gsi)|*.gsi|GSI-8 file(*.gsi)|*.gsi|ORB(*.orb)|*.orb|"
                          "SOUTH(*.dat)|*.dat|TOPCON(*.pts)|*.pts|IDX(*.idx)|*.idx|"
                          "CSV(*.csv)|*.csv|LandXML(*.xml)|*.xml|GeoJSON(*.geojson)|*.geojson|"
                          "KML(*.kml)|*.kml||");
}
