<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>CellCheck</name>
    <message>
        <source>Use a decimal point, not a comma.</source>
        <translation>请用小数点，不要用逗号。</translation>
    </message>
    <message>
        <source>Enter a number in metres, such as 512345.678.</source>
        <translation>请输入以米为单位的数字，例如 512345.678。</translation>
    </message>
    <message>
        <source>A name cannot hold a comma, a quote or a control character.</source>
        <translation>点名不能包含逗号、引号或控制字符。</translation>
    </message>
    <message>
        <source>A code cannot hold a comma, a quote or a control character.</source>
        <translation>编码不能包含逗号、引号或控制字符。</translation>
    </message>
</context>
<context>
    <name>EditActions</name>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Insert row</source>
        <translation>插入行(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Delete rows</source>
        <translation>删除行(&amp;D)</translation>
    </message>
    <message>
        <source>Insert an empty row above the chosen row</source>
        <translation>在所选行上方插入一个空行</translation>
    </message>
    <message>
        <source>Delete the chosen rows; Undo brings them back</source>
        <translation>删除所选行；撤销可恢复</translation>
    </message>
</context>
<context>
    <name>EditorSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Every format is read and written in metres with three decimals.</source>
        <translation>所有格式均以米为单位、保留三位小数读写。</translation>
    </message>
    <message>
        <source>M</source>
        <translation>米</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>单位:</translation>
    </message>
    <message>
        <source>Precision:</source>
        <translation>精度:</translation>
    </message>
</context>
<context>
    <name>EditorWindow</name>
    <message>
        <source>Name</source>
        <translation>点名</translation>
    </message>
    <message>
        <source>Y(Easting)</source>
        <translation>Y(东)</translation>
    </message>
    <message>
        <source>X(Northing)</source>
        <translation>X(北)</translation>
    </message>
    <message>
        <source>H(Elevation)</source>
        <translation>H(高程)</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>编码</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>O&amp;ptions</source>
        <translation>选项(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Settings...</source>
        <translation>设置(&amp;S)...</translation>
    </message>
    <message>
        <source>%1 is not a GSI-16 or GSI-8 file (its first line is neither form). The grid is unchanged.</source>
        <translation>%1 不是 GSI-16 或 GSI-8 文件（第一行不符合格式），表格未改变。</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>The chosen file type does not match the extension of %1. Nothing was written.</source>
        <translation>所选文件类型与文件名 %1 的扩展名不符，未写入任何内容。</translation>
    </message>
    <message>
        <source>File Editor</source>
        <translation>坐标编辑器</translation>
    </message>
    <message>
        <source>The points have been changed. Save them?</source>
        <translation>坐标已修改，是否保存？</translation>
    </message>
    <message>
        <source>Cannot save %1: %2
Any file already there is unchanged.</source>
        <translation>无法保存 %1：%2
原有文件未改变。</translation>
    </message>
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
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Labels are always written one unit high.</source>
        <translation>标注文字的高度始终为 1 个单位。</translation>
    </message>
    <message>
        <source>Choose the GSI file to convert</source>
        <translation>选择要转换的 GSI 文件</translation>
    </message>
    <message>
        <source>Choose a GSI file first</source>
        <translation>请先选择 GSI 文件</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Open GSI file</source>
        <translation>打开GSI文件</translation>
    </message>
    <message>
        <source>Font height setting:</source>
        <translation>字体高度设置:</translation>
    </message>
    <message>
        <source>Choose the GSI file to convert first.</source>
        <translation>请先选择要转换的 GSI 文件。</translation>
    </message>
    <message>
        <source>The DXF file cannot be the GSI file itself: %1</source>
        <translation>DXF 文件不能与 GSI 文件相同：%1</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
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
    <name>LossQuestion</name>
    <message>
        <source>easting</source>
        <translation>东坐标</translation>
    </message>
    <message>
        <source>northing</source>
        <translation>北坐标</translation>
    </message>
    <message>
        <source>elevation</source>
        <translation>高程</translation>
    </message>
    <message>
        <source>%1 %2 would be 0</source>
        <translation>%1 %2 将写为 0</translation>
    </message>
    <message>
        <source>name %1 would be cut</source>
        <translation>点名 %1 将被截断</translation>
    </message>
    <message>
        <source>Row %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>... and %1 more rows</source>
        <translation>……另有 %1 行</translation>
    </message>
    <message>
        <source>File Editor</source>
        <translation>坐标编辑器</translation>
    </message>
    <message>
        <source>%1 cannot hold every row exactly (%2 affected): a value outside its range would be written as 0, and a name longer than its block would be cut, so two points could become one.

Nothing has been written yet.</source>
        <translation>%1 格式无法原样保存所有行（共 %2 行受影响）：超出范围的坐标将写为 0，超过字段长度的点名将被截断，两个点可能因此变成同名。

目前尚未写入任何内容。</translation>
    </message>
    <message>
        <source>Save anyway</source>
        <translation>仍然保存</translation>
    </message>
</context>
<context>
    <name>ManagerWindow</name>
    <message>
        <source>There is no trash for %1. Delete it for good? This cannot be undone.</source>
        <translation>%1 所在位置没有回收站。要永久删除吗？此操作无法撤销。</translation>
    </message>
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
<context>
    <name>PointEditCommands</name>
    <message>
        <source>Edit cell</source>
        <translation>编辑单元格</translation>
    </message>
    <message>
        <source>Insert row</source>
        <translation>插入行</translation>
    </message>
    <message>
        <source>Delete rows</source>
        <translation>删除行</translation>
    </message>
</context>
</TS>
