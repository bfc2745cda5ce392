<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>EditorWindow</name>
    <message>
        <source>Plan view</source>
        <translation>平面图</translation>
    </message>
    <message>
        <source>Elevations on the plan</source>
        <translation>平面图显示高程</translation>
    </message>
    <message>
        <source>GeoJSON and KML hold longitude and latitude. Coordinate system of these points (EPSG code, e.g. EPSG:4548):</source>
        <translation>GeoJSON 和 KML 保存经纬度。请输入这些点所在的坐标系（EPSG 代码，例如 EPSG:4548）：</translation>
    </message>
</context>
<context>
    <name>FileCommit</name>
    <message>
        <source>the file was not open for writing</source>
        <translation>文件未以写入方式打开</translation>
    </message>
    <message>
        <source>the data could not be written</source>
        <translation>数据无法写入</translation>
    </message>
</context>
<context>
    <name>FilePreview</name>
    <message>
        <source>Select a coordinate file to see its points.</source>
        <translation>选择一个坐标文件以查看其中的点。</translation>
    </message>
    <message>
        <source>Reading %1 ...</source>
        <translation>正在读取 %1 ……</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%2)
%n points</source>
        <translation>
            <numerusform>%1（%2）
共 %n 个点</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n without coordinates</source>
        <translation>
            <numerusform>%n 个点无坐标</numerusform>
        </translation>
    </message>
    <message>
        <source>East %1 to %2
North %3 to %4</source>
        <translation>东 %1 至 %2
北 %3 至 %4</translation>
    </message>
</context>
<context>
    <name>GsiToDxfDialog</name>
    <message>
        <source>Points, names and elevations on separate layers</source>
        <translation>点、点名和高程分别放在不同图层</translation>
    </message>
</context>
<context>
    <name>LauncherDialog</name>
    <message>
        <source>EXIT</source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>ManagerWindow</name>
    <message>
        <source>Serial ports belong to the group &quot;dialout&quot;. Add yourself to it with
    sudo usermod -aG dialout $USER
then log out and in again.</source>
        <translation>串口属于“dialout”用户组。请用以下命令把自己加入该组：
    sudo usermod -aG dialout $USER
然后注销并重新登录。</translation>
    </message>
</context>
<context>
    <name>Pictures</name>
    <message>
        <source>Data Exchange Manager</source>
        <translation>数据交换管理器</translation>
    </message>
    <message>
        <source>Coordinate Editor</source>
        <translation>坐标编辑器</translation>
    </message>
</context>
<context>
    <name>PlanView</name>
    <message numerus="yes">
        <source>%n more</source>
        <translation>
            <numerusform>另有 %n 个</numerusform>
        </translation>
    </message>
    <message>
        <source>Without coordinates (%1): %2</source>
        <translation>无坐标的点（%1）：%2</translation>
    </message>
</context>
</TS>
