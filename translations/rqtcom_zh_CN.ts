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
    <name>CommSettingsDialog</name>
    <message>
        <source>Communication settings</source>
        <translation>通信设置</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
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
        <source>Current Selection</source>
        <translation>当前选择</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>端口:</translation>
    </message>
    <message>
        <source>Instrument:</source>
        <translation>仪器:</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Baudrate:</source>
        <translation>波特率:</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>检验:</translation>
    </message>
    <message>
        <source>Stopbits:</source>
        <translation>停止位:</translation>
    </message>
    <message>
        <source>Databits:</source>
        <translation>数据位:</translation>
    </message>
    <message>
        <source>Endmark:</source>
        <translation>分行符:</translation>
    </message>
    <message>
        <source>How the instrument encodes job names. A Chinese instrument sends GBK (simplified) or Big5 (traditional) whatever the language of this computer; Automatic uses the code page of the computer&apos;s locale.</source>
        <translation>仪器中作业名的编码。无论本机使用何种语言，中文仪器发送 GBK（简体）或 Big5（繁体）编码；“自动”使用本机区域设置的代码页。</translation>
    </message>
    <message>
        <source>Name encoding:</source>
        <translation>名称编码:</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>COM SET</source>
        <translation>端口设置</translation>
    </message>
</context>
<context>
    <name>ConversationEngine</name>
    <message>
        <source>Cancelled by the user.</source>
        <translation>已被用户取消。</translation>
    </message>
    <message>
        <source>The instrument is not ready for a download.</source>
        <translation>仪器尚未准备好下载。</translation>
    </message>
    <message>
        <source>No job is selected.</source>
        <translation>未选择作业。</translation>
    </message>
    <message>
        <source>Enter a file name.</source>
        <translation>请输入文件名。</translation>
    </message>
    <message>
        <source>The instrument is not ready for an upload.</source>
        <translation>仪器尚未准备好上传。</translation>
    </message>
    <message>
        <source>Connect to the instrument first.</source>
        <translation>请先连接仪器。</translation>
    </message>
    <message>
        <source>The transfer was interrupted by an erase.</source>
        <translation>传输被删除操作中断。</translation>
    </message>
    <message>
        <source>The job name is empty.</source>
        <translation>作业名为空。</translation>
    </message>
    <message>
        <source>A job name cannot contain &quot;/&quot; or &quot;,&quot;.</source>
        <translation>作业名不能包含“/”或“,”。</translation>
    </message>
    <message>
        <source>A job name cannot contain control characters.</source>
        <translation>作业名不能包含控制字符。</translation>
    </message>
    <message>
        <source>The job name holds characters the instrument cannot store.</source>
        <translation>作业名中含有仪器无法保存的字符。</translation>
    </message>
    <message>
        <source>The instrument sent %1 of %2 lines.</source>
        <translation>仪器只发送了 %2 行中的 %1 行。</translation>
    </message>
    <message>
        <source>The file could not be opened.</source>
        <translation>无法打开文件。</translation>
    </message>
    <message>
        <source>it is no coordinate file the instrument can take</source>
        <translation>它不是仪器能接收的坐标文件</translation>
    </message>
    <message>
        <source>Cannot upload %1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>The job name is %1 bytes long; the instrument&apos;s directory line carries at most %2 (%2 Latin letters or digits, %3 Chinese characters).</source>
        <translation>作业名长 %1 字节；仪器的目录行最多容纳 %2 字节（%2 个字母或数字，或 %3 个汉字）。</translation>
    </message>
</context>
<context>
    <name>CoordFileIo</name>
    <message>
        <source>Reading stopped after %1 points: %2</source>
        <translation>读取 %1 个点后停止：%2</translation>
    </message>
    <message>
        <source>No coordinate format has the extension &quot;%1&quot;</source>
        <translation>没有扩展名为“%1”的坐标格式</translation>
    </message>
    <message>
        <source>A &quot;.gsi&quot; file is written as GSI-16 or GSI-8 only</source>
        <translation>“.gsi”文件只能写为 GSI-16 或 GSI-8</translation>
    </message>
    <message>
        <source>No coordinate format chosen</source>
        <translation>未选择坐标格式</translation>
    </message>
    <message>
        <source>No line of the file is a point (words 81 and 82)</source>
        <translation>文件中没有一行是点（字 81 和 82）</translation>
    </message>
</context>
<context>
    <name>DownloadCoordinates</name>
    <message>
        <source>%1 already exists. Replace it?</source>
        <translation>%1 已存在，是否替换？</translation>
    </message>
    <message>
        <source>Cannot save %1: %2
Any file already there is unchanged.</source>
        <translation>无法保存 %1：%2
原有文件未改变。</translation>
    </message>
    <message>
        <source>%1 points written to %2.
%3</source>
        <translation>已将 %1 个点写入 %2。
%3</translation>
    </message>
</context>
<context>
    <name>DownloadDialog</name>
    <message>
        <source>File Down...</source>
        <translation>文件下载...</translation>
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
        <source>From:</source>
        <translation>从:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>到:</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>文件名:</translation>
    </message>
    <message>
        <source>Data Type:</source>
        <translation>数据格式:</translation>
    </message>
    <message>
        <source>Please enter a file name.</source>
        <translation>请输入文件名。</translation>
    </message>
    <message>
        <source>The file name must not name another folder: %1</source>
        <translation>文件名不能指向其他文件夹：%1</translation>
    </message>
    <message>
        <source>Please choose a folder on the PC side first.</source>
        <translation>请先在电脑一侧选择文件夹。</translation>
    </message>
    <message>
        <source>Please choose a data type from the list.</source>
        <translation>请从列表中选择数据格式。</translation>
    </message>
    <message>
        <source>%1 already exists. Replace it?</source>
        <translation>%1 已存在，是否替换？</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>the download was refused for this reason</comment>
        <translation>无法下载：%1</translation>
    </message>
    <message>
        <source>CASS: northing before easting (earlier order)</source>
        <translation>CASS：北坐标在东坐标之前（旧顺序）</translation>
    </message>
    <message>
        <source>CASS lines are name,code,easting,northing,height, as rqtcom and other programs read them. Tick this only for a program that expects the northing first, as earlier versions wrote it.</source>
        <translation>CASS 行的顺序为 点名,编码,东坐标,北坐标,高程，rqtcom 和其他程序都这样读取。只有当某个程序需要北坐标在前（旧版本的写法）时才勾选此项。</translation>
    </message>
    <message>
        <source>Also save coordinates</source>
        <translation>同时保存坐标</translation>
    </message>
    <message>
        <source>After the download, asks for the station set-up and saves the points the observations give beside the file.</source>
        <translation>下载完成后询问测站设置，并将观测值算出的点保存在该文件旁边。</translation>
    </message>
</context>
<context>
    <name>DownloadWriter</name>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation>文件夹 %1 不存在。</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>无法创建 %1：%2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>无法保存 %1：%2</translation>
    </message>
    <message>
        <source>%1 is a link; a download is never written through a link.</source>
        <translation>%1 是一个链接；下载绝不会通过链接写入。</translation>
    </message>
    <message>
        <source>%1 is a folder.</source>
        <translation>%1 是一个文件夹。</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 不是普通文件。</translation>
    </message>
    <message>
        <source>%1 already exists.</source>
        <translation>%1 已存在。</translation>
    </message>
    <message>
        <source>%1 appeared during the download and was not replaced.</source>
        <translation>%1 在下载过程中出现，未被替换。</translation>
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
    <message>
        <source>&amp;Copy rows</source>
        <translation>复制行(&amp;C)</translation>
    </message>
    <message>
        <source>Copy the chosen rows, tab-separated, for a spreadsheet</source>
        <translation>复制所选的行（以制表符分隔，可粘贴到电子表格）</translation>
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
        <source>Cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>The chosen file type does not match the extension of %1. Nothing was written.</source>
        <translation>所选文件类型与文件名 %1 的扩展名不符，未写入任何内容。</translation>
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
        <source>GeoJSON and KML hold longitude and latitude. Coordinate system of these points (EPSG code, e.g. EPSG:4548):</source>
        <translation>GeoJSON 和 KML 保存经纬度。请输入这些点所在的坐标系（EPSG 代码，例如 EPSG:4548）：</translation>
    </message>
    <message>
        <source>%1 is no coordinate file: %2. The grid is unchanged.</source>
        <translation>%1 不是坐标文件：%2。表格未改变。</translation>
    </message>
    <message>
        <source>%1 points read; %2.</source>
        <translation>已读取 %1 个点；%2。</translation>
    </message>
    <message>
        <source>The coordinates are in feet; they are shown as they are, not converted.</source>
        <translation>坐标单位为英尺；按原值显示，未换算。</translation>
    </message>
    <message>
        <source>&amp;Plan view</source>
        <translation>平面图(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Elevations on the plan</source>
        <translation>平面图显示高程(&amp;E)</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>所有文件</translation>
    </message>
    <message>
        <source>Rows: %1</source>
        <translation>行数：%1</translation>
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
    <name>FormatTable</name>
    <message>
        <source>GSI file</source>
        <translation>GSI文件</translation>
    </message>
    <message>
        <source>GSI-16 file</source>
        <translation>GSI-16文件</translation>
    </message>
    <message>
        <source>GSI-8 file</source>
        <translation>GSI-8文件</translation>
    </message>
</context>
<context>
    <name>GsiLossCheck</name>
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
        <source>%1 %2 does not fit %3 and would be written as 0</source>
        <translation>%1 %2 超出 %3 的范围，将写为 0</translation>
    </message>
    <message>
        <source>name &quot;%1&quot; is longer than %2 characters and would be cut</source>
        <translation>点名“%1”超过 %2 个字符，将被截断</translation>
    </message>
    <message>
        <source>row %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>... and %1 more rows</source>
        <translation>……另有 %1 行</translation>
    </message>
</context>
<context>
    <name>GsiToDxf</name>
    <message>
        <source>the drawing would replace the GSI file it is made from</source>
        <translation>图形文件会覆盖作为来源的 GSI 文件</translation>
    </message>
    <message>
        <source>no GSI file given</source>
        <translation>未指定 GSI 文件</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>无法创建 %1：%2</translation>
    </message>
    <message>
        <source>cannot convert into %1: %2</source>
        <translation>无法转换为 %1：%2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>GsiToDxfDialog</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
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
    <message>
        <source>Height of the point labels in the drawing, in metres (0.001 to 1000)</source>
        <translation>图中点标注的字高，单位为米（0.001至1000）</translation>
    </message>
    <message>
        <source>The font height must be a number from 0.001 to 1000, such as 0.5 or 2.</source>
        <translation>字体高度须为0.001至1000之间的数，例如0.5或2。</translation>
    </message>
    <message>
        <source>DXF file</source>
        <translation>DXF文件</translation>
    </message>
</context>
<context>
    <name>InstrumentTree</name>
    <message>
        <source>JOB (connection closed, double-click %1 to connect)</source>
        <translation>JOB（连接已关闭，双击 %1 重新连接）</translation>
    </message>
    <message>
        <source>The counts are those read before the connection closed. Double-click the port to read the jobs again.</source>
        <translation>这些数目是连接关闭前读取的。双击端口可重新读取作业。</translation>
    </message>
</context>
<context>
    <name>JobTable</name>
    <message>
        <source>No job is selected.</source>
        <translation>未选择作业。</translation>
    </message>
    <message>
        <source>The directory line of job %1 was longer than a reply can be, so its point count is unknown; nothing was downloaded.</source>
        <translation>作业 %1 的目录行超过了应答的最大长度，点数未知；未下载任何数据。</translation>
    </message>
    <message>
        <source>The point count of job %1 in the instrument&apos;s directory is &quot;%2&quot;, not a number (a comma in the job&apos;s name shifts the fields); nothing was downloaded.</source>
        <translation>仪器目录中作业 %1 的点数为“%2”，不是数字（作业名中的逗号会使字段错位）；未下载任何数据。</translation>
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
    <name>ManagerController</name>
    <message>
        <source>Serial ports belong to the group &quot;dialout&quot;. Add yourself to it with
    sudo usermod -aG dialout $USER
then log out and in again.</source>
        <translation>串口属于“dialout”用户组。请用以下命令把自己加入该组：
    sudo usermod -aG dialout $USER
然后注销并重新登录。</translation>
    </message>
    <message>
        <source>%1 cannot be sent: %2</source>
        <translation>%1 无法发送：%2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 不存在。</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file to upload.</source>
        <translation>%1 是文件夹，不是可上传的文件。</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>移动</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>File Info</source>
        <translation>文件信息</translation>
    </message>
    <message>
        <source>Connect to the instrument first: double-click the port.</source>
        <translation>请先双击端口连接仪器。</translation>
    </message>
    <message>
        <source>Please select a job in the instrument tree first.</source>
        <translation>请先在仪器目录中选择一个作业。</translation>
    </message>
    <message>
        <source>The connection to the instrument was lost: %1
Double-click the port to connect again.</source>
        <translation>与仪器的连接已断开：%1
请双击端口重新连接。</translation>
    </message>
    <message>
        <source>%1
Double-click the port to connect again.</source>
        <translation>与仪器的连接已断开。%1
请双击端口重新连接。</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Statusbar</source>
        <translation>状态栏</translation>
    </message>
    <message>
        <source>Port Settings</source>
        <translation>端口设置</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>关于...</translation>
    </message>
    <message>
        <source>A connection to the instrument is open. Close it and the manager?</source>
        <translation>与仪器的连接仍然打开。关闭连接并退出管理器吗？</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>the erase was refused for this reason</comment>
        <translation>无法删除：%1</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>why the port could not be opened</comment>
        <translation>原因：%1</translation>
    </message>
    <message>
        <source>Accepted: a GSI file, or a coordinate file holding points (%1).</source>
        <translation>可接受：GSI 文件，或含有点的坐标文件（%1）。</translation>
    </message>
    <message>
        <source>Right-click a file on the PC side and choose File Info to open it</source>
        <translation>在电脑一侧右键单击文件并选择“文件信息”即可打开它</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>how an incomplete transfer ended</comment>
        <translation>传输未完成：%1</translation>
    </message>
    <message>
        <source>The connection is closed. Double-click %1 to connect, then choose the job again.</source>
        <translation>连接已关闭。请双击 %1 重新连接，然后再次选择作业。</translation>
    </message>
    <message>
        <source>Erase the coordinates of %1 on the instrument (%2)?
Its observations (%3) stay.</source>
        <translation>确定要删除仪器上 %1 的坐标（%2）吗？
其观测数据（%3）保留。</translation>
    </message>
    <message>
        <source>The upload was cancelled after %1 lines of %2 had been sent; they are in %3 on the instrument.</source>
        <translation>上传已取消，此前已发送 %2 的 %1 行；这些行保存在仪器的 %3 中。</translation>
    </message>
    <message>
        <source>Erasing them also erases the %1 points the job held before the upload.</source>
        <translation>删除它们也会删除该作业在上传前已有的 %1 个点。</translation>
    </message>
    <message>
        <source>Erase the job&apos;s coordinates (this connects again), or keep them?</source>
        <translation>删除该作业的坐标（将重新连接），还是保留？</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>保留</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
</context>
<context>
    <name>ManagerWindow</name>
    <message>
        <source>There is no trash for %1. Delete it for good? This cannot be undone.</source>
        <translation>%1 所在位置没有回收站。要永久删除吗？此操作无法撤销。</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>File Info</source>
        <translation>文件信息</translation>
    </message>
    <message>
        <source>%1 cannot be deleted.</source>
        <translation>%1 不能删除。</translation>
    </message>
    <message>
        <source>Delete the folder %1 and the %2 entries it holds?</source>
        <translation>确定要删除文件夹 %1 及其中的 %2 项内容吗？</translation>
    </message>
    <message>
        <source>Could not delete:
%1</source>
        <translation>以下内容无法删除：
%1</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>View</source>
        <translation>查看</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>ORB Data Exchange Manager</source>
        <translation>ORB数据交换管理器</translation>
    </message>
    <message>
        <source>To copy a job to the PC, use Move or drag it onto a PC folder</source>
        <translation>要把作业复制到电脑，请使用“移动”或将其拖到电脑一侧的文件夹上</translation>
    </message>
    <message>
        <source>Download the selected FixPoints or MeasurementPoints into the folder selected on the PC side</source>
        <translation>将选中的坐标点或测量点下载到电脑一侧选中的文件夹</translation>
    </message>
    <message>
        <source>Erase the coordinates of the selected job on the instrument</source>
        <translation>删除仪器上选中作业的坐标</translation>
    </message>
    <message>
        <source>Port settings: speed, end mark and job name encoding</source>
        <translation>端口设置：波特率、分行符和作业名编码</translation>
    </message>
    <message>
        <source>Files the PC tree shows; folders are always shown</source>
        <translation>电脑目录中显示的文件；文件夹总是显示</translation>
    </message>
    <message>
        <source>All files(*)</source>
        <translation>所有文件(*)</translation>
    </message>
    <message>
        <source>Select a file or folder to copy</source>
        <translation>请选择要复制的文件或文件夹</translation>
    </message>
    <message>
        <source>Open in editor</source>
        <translation>在编辑器中打开</translation>
    </message>
    <message>
        <source>Select a coordinate file (%1) to open it in the editor</source>
        <translation>选择一个坐标文件（%1）以在编辑器中打开</translation>
    </message>
    <message>
        <source>The instrument cannot erase observations; Delete on FixPoints erases the job&apos;s coordinates</source>
        <translation>仪器不能删除观测数据；在“坐标点”上删除会删除该作业的坐标</translation>
    </message>
    <message>
        <source>Move %1 to the trash?</source>
        <translation>确定要将 %1 移到回收站吗？</translation>
    </message>
</context>
<context>
    <name>NewNameDialog</name>
    <message>
        <source>At most %1 letters or digits, or %2 Chinese characters.</source>
        <translation>最多 %1 个字母或数字，或 %2 个汉字。</translation>
    </message>
    <message>
        <source>New File</source>
        <translation>新建文件</translation>
    </message>
    <message>
        <source>Please input new file name:</source>
        <translation>请输入新的文件名:</translation>
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
        <source>Please enter a job name.</source>
        <translation>请输入作业名。</translation>
    </message>
    <message>
        <source>A job name must not hold &quot;/&quot;, &quot;,&quot; or control characters.</source>
        <translation>作业名不能包含“/”、“,”或控制字符。</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>the job name was refused for this reason</comment>
        <translation>作业名无效：%1</translation>
    </message>
</context>
<context>
    <name>ObservationImport</name>
    <message>
        <source>%1 reduced to coordinates; save them under a new name.
%2</source>
        <translation>%1 已计算为坐标；请以新文件名保存。
%2</translation>
    </message>
</context>
<context>
    <name>PcFileOps</name>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 不存在。</translation>
    </message>
    <message>
        <source>%1 is a program; it is not opened from here.</source>
        <translation>%1 是可执行程序，不能在此打开。</translation>
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
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Send/Receive...</source>
        <translation>发送/接收...</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>File Type:</source>
        <translation>文件格式:</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>从:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>到:</translation>
    </message>
    <message>
        <source>Block:</source>
        <translation>块:</translation>
    </message>
</context>
<context>
    <name>QtSerialLink</name>
    <message>
        <source>no serial port number %1 is present</source>
        <translation>不存在编号为 %1 的串口</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>the port is not open</source>
        <translation>端口未打开</translation>
    </message>
    <message>
        <source>the device was unplugged or closed</source>
        <translation>设备已拔出或已关闭</translation>
    </message>
    <message>
        <source>the device could not be read; it may have been unplugged</source>
        <translation>无法从设备读取，设备可能已拔出</translation>
    </message>
    <message>
        <source>the device could not be written to; it may have been unplugged</source>
        <translation>无法向设备写入，设备可能已拔出</translation>
    </message>
    <message>
        <source>the connection on %1 was lost (%2)</source>
        <translation>%1 上的连接已断开（%2）</translation>
    </message>
</context>
<context>
    <name>ReductionRun</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1 holds no observations.</source>
        <translation>%1 中没有观测值。</translation>
    </message>
    <message>
        <source>%1: no coordinates made.
%2</source>
        <translation>%1：未算出坐标。
%2</translation>
    </message>
    <message>
        <source>on line %1</source>
        <translation>第 %1 行</translation>
    </message>
    <message>
        <source>The station %1 has no coordinates: enter them, or choose a known-points file that holds it; %2 observations not reduced.</source>
        <translation>测站 %1 没有坐标：请输入坐标，或选择含有该点的已知点文件；%2 个观测值未计算。</translation>
    </message>
    <message>
        <source>The station %1 observed none of the backsights %2; %3 observations not reduced.</source>
        <translation>测站 %1 未观测任何后视点 %2；%3 个观测值未计算。</translation>
    </message>
    <message>
        <source>%1 observations: %2 reduced, %3 kept the instrument&apos;s coordinates, %4 skipped.</source>
        <translation>%1 个观测值：已计算 %2 个，%3 个保留仪器坐标，跳过 %4 个。</translation>
    </message>
    <message>
        <source>%1 without a distance or with 0</source>
        <translation>%1 个无距离或距离为 0</translation>
    </message>
    <message>
        <source>%1 without a Hz reading</source>
        <translation>%1 个无水平角读数</translation>
    </message>
    <message>
        <source>%1 with a slope distance but no zenith angle</source>
        <translation>%1 个有斜距但无天顶距</translation>
    </message>
    <message>
        <source>%1 with a unit digit that is no unit</source>
        <translation>%1 个单位位无效</translation>
    </message>
    <message>
        <source>Skipped: %1.</source>
        <translation>跳过：%1。</translation>
    </message>
    <message>
        <source>given</source>
        <translation>输入值</translation>
    </message>
    <message>
        <source>mean of %1 backsights</source>
        <translation>%1 个后视点的平均值</translation>
    </message>
    <message>
        <source>Hz taken as azimuths</source>
        <translation>水平角即方位角</translation>
    </message>
    <message>
        <source>Station %1: E %2, N %3, H %4, instrument height %5; orientation %6 (%7); %8 points.</source>
        <translation>测站 %1：E %2，N %3，H %4，仪器高 %5；定向 %6（%7）；%8 个点。</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>    Backsight %1: residual %2, %3 m at %4 m.</source>
        <translation>    后视点 %1：残差 %2，在 %4 m 处偏 %3 m。</translation>
    </message>
    <message>
        <source>    Backsight %1: observed, but not among the known points.</source>
        <translation>    后视点 %1：已观测，但不在已知点中。</translation>
    </message>
    <message>
        <source>%1 heights computed with target height 0 (no target height in the file).</source>
        <translation>%1 个高程按棱镜高 0 计算（文件中无棱镜高）。</translation>
    </message>
    <message>
        <source>%1 points without a height (no station height or no height difference).</source>
        <translation>%1 个点无高程（无测站高程或无高差）。</translation>
    </message>
    <message>
        <source>Lengths in feet were converted to metres.</source>
        <translation>以英尺为单位的长度已换算为米。</translation>
    </message>
</context>
<context>
    <name>SkippedLines</name>
    <message>
        <source>%1 without coordinates</source>
        <translation>%1 行无坐标</translation>
    </message>
    <message>
        <source>%1 without a value for easting or northing</source>
        <translation>%1 行缺少东坐标或北坐标的值</translation>
    </message>
    <message>
        <source>%1 not a record</source>
        <translation>%1 行不是记录</translation>
    </message>
    <message>
        <source>%1 with a unit that is no length</source>
        <translation>%1 行的单位不是长度单位</translation>
    </message>
    <message>
        <source>%1 line skipped: %2</source>
        <translation>跳过 %1 行：%2</translation>
    </message>
    <message>
        <source>%1 lines skipped: %2</source>
        <translation>跳过 %1 行：%2</translation>
    </message>
</context>
<context>
    <name>StationSetupDialog</name>
    <message>
        <source>Station set-up</source>
        <translation>测站设置</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>测站</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>点名：</translation>
    </message>
    <message>
        <source>Easting E (m):</source>
        <translation>东坐标 E (m)：</translation>
    </message>
    <message>
        <source>Northing N (m):</source>
        <translation>北坐标 N (m)：</translation>
    </message>
    <message>
        <source>Height H (m):</source>
        <translation>高程 H (m)：</translation>
    </message>
    <message>
        <source>Instrument height (m):</source>
        <translation>仪器高 (m)：</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>定向</translation>
    </message>
    <message>
        <source>Hz as read: the circle was oriented on the instrument</source>
        <translation>按读数取水平角：度盘已在仪器上定向</translation>
    </message>
    <message>
        <source>Orientation angle:</source>
        <translation>定向角：</translation>
    </message>
    <message>
        <source>Backsights:</source>
        <translation>后视点：</translation>
    </message>
    <message>
        <source>Added to every Hz reading to give the azimuth.</source>
        <translation>加到每个水平角读数上得到方位角。</translation>
    </message>
    <message>
        <source>point names, separated by commas</source>
        <translation>点名，用逗号分隔</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Known points:</source>
        <translation>已知点：</translation>
    </message>
    <message>
        <source>The coordinates of the backsights, and of stations given by name only.</source>
        <translation>后视点的坐标，以及只给出点名的测站的坐标。</translation>
    </message>
    <message>
        <source>Correct heights for earth curvature and refraction</source>
        <translation>高程改正地球曲率和大气折光</translation>
    </message>
    <message>
        <source>Coefficient k:</source>
        <translation>折光系数 k：</translation>
    </message>
    <message>
        <source>none: points without heights</source>
        <translation>无：点不带高程</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>第 %1 行</translation>
    </message>
    <message>
        <source>%1 (E %2, N %3)</source>
        <translation>%1（E %2，N %3）</translation>
    </message>
    <message>
        <source>%1 (no coordinates on its line)</source>
        <translation>%1（测站行无坐标）</translation>
    </message>
    <message>
        <source>Later stations are set up as their lines say: %1</source>
        <translation>后续测站按其测站行设置：%1</translation>
    </message>
    <message>
        <source>degrees</source>
        <translation>度</translation>
    </message>
    <message>
        <source>ddd.mmss (degrees, minutes, seconds)</source>
        <translation>ddd.mmss（度、分、秒）</translation>
    </message>
    <message>
        <source>mil (6400 to the circle)</source>
        <translation>密位（圆周 6400）</translation>
    </message>
    <message>
        <source>gon</source>
        <translation>gon（百分度）</translation>
    </message>
    <message>
        <source>Save coordinates as:</source>
        <translation>坐标保存格式：</translation>
    </message>
    <message>
        <source>File:</source>
        <translation>文件：</translation>
    </message>
    <message>
        <source>Cannot read the known points of %1: %2</source>
        <translation>无法读取 %1 中的已知点：%2</translation>
    </message>
    <message>
        <source>on line %1</source>
        <translation>第 %1 行</translation>
    </message>
    <message>
        <source>The station %1 has no coordinates on its line: choose a known-points file that holds it.</source>
        <translation>测站 %1 的测站行没有坐标：请选择含有该点的已知点文件。</translation>
    </message>
    <message>
        <source>The file holds no observations.</source>
        <translation>该文件中没有观测值。</translation>
    </message>
    <message>
        <source>The easting</source>
        <translation>东坐标</translation>
    </message>
    <message>
        <source>The northing</source>
        <translation>北坐标</translation>
    </message>
    <message>
        <source>The height</source>
        <translation>高程</translation>
    </message>
    <message>
        <source>The instrument height</source>
        <translation>仪器高</translation>
    </message>
    <message>
        <source>The orientation</source>
        <translation>定向角</translation>
    </message>
    <message>
        <source>%1 is no number: %2 (write it as 1234.567)</source>
        <translation>%1 不是数字：%2（请写成 1234.567 的形式）</translation>
    </message>
    <message>
        <source>Enter both the easting and the northing of the station.</source>
        <translation>请同时输入测站的东坐标和北坐标。</translation>
    </message>
    <message>
        <source>The station has no coordinates: enter its easting and northing, or its name and a known-points file that holds it.</source>
        <translation>测站没有坐标：请输入其东坐标和北坐标，或输入点名并选择含有该点的已知点文件。</translation>
    </message>
    <message>
        <source>Enter the orientation angle.</source>
        <translation>请输入定向角。</translation>
    </message>
    <message>
        <source>Enter the names of the backsights.</source>
        <translation>请输入后视点的点名。</translation>
    </message>
    <message>
        <source>Choose the known-points file that holds the backsights.</source>
        <translation>请选择含有后视点的已知点文件。</translation>
    </message>
    <message>
        <source>The known points hold no point %1.</source>
        <translation>已知点中没有点 %1。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>ToolNames</name>
    <message>
        <source>File Editor</source>
        <translation>坐标编辑器</translation>
    </message>
</context>
<context>
    <name>TransferResult</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1/%2</translation>
    </message>
    <message>
        <source>%1 lines were saved in %2.</source>
        <translation>%1 行已保存到 %2。</translation>
    </message>
    <message>
        <source>The instrument sent only %1 lines; they were saved in %2.</source>
        <translation>仪器只发送了 %1 行；这些行已保存到 %2。</translation>
    </message>
    <message>
        <source>The instrument sent only %1 lines; nothing was saved.</source>
        <translation>仪器只发送了 %1 行；没有保存任何文件。</translation>
    </message>
    <message>
        <source>The download failed: %1 Nothing was saved under %2.</source>
        <translation>下载失败：%1 未保存 %2。</translation>
    </message>
    <message>
        <source>The download was cancelled after %1 lines; nothing was saved.</source>
        <translation>下载在第 %1 行后被取消；没有保存任何文件。</translation>
    </message>
    <message>
        <source>The connection to the instrument was lost during the download (%1). The %2 lines received were discarded; nothing was saved.</source>
        <translation>下载过程中与仪器的连接断开（%1）。已收到的 %2 行被丢弃；没有保存任何文件。</translation>
    </message>
    <message>
        <source>The existing %1 was left as it was.</source>
        <translation>原有的 %1 保持不变。</translation>
    </message>
    <message>
        <source>%1 lines were sent from %2.</source>
        <translation>已从 %2 发送 %1 行。</translation>
    </message>
    <message>
        <source>The upload stopped at line %1 of the file, after %2 lines: %3</source>
        <translation>上传在文件第 %1 行停止，已发送 %2 行：%3</translation>
    </message>
    <message>
        <source>The upload stopped after %1 lines: %2</source>
        <translation>上传在 %1 行后停止：%2</translation>
    </message>
    <message>
        <source>The upload failed after %1 lines: %2</source>
        <translation>上传在 %1 行后失败：%2</translation>
    </message>
    <message>
        <source>The upload was cancelled before any line was sent.</source>
        <translation>上传在发送任何一行之前被取消。</translation>
    </message>
    <message>
        <source>The upload was cancelled after %1 lines; the job on the instrument holds the lines sent so far.</source>
        <translation>上传在 %1 行后被取消；仪器上的作业保留已发送的行。</translation>
    </message>
    <message>
        <source>The connection to the instrument was lost during the upload (%1) after %2 lines; the job on the instrument holds the lines sent so far.</source>
        <translation>上传过程中与仪器的连接断开（%1），已发送 %2 行；仪器上的作业保留已发送的行。</translation>
    </message>
    <message>
        <source>%1 of the %2 lines received had a length no CASS line is made from and were left out.</source>
        <translation>收到的 %2 行中有 %1 行的长度不符合 CASS 行，已略去。</translation>
    </message>
</context>
<context>
    <name>UploadDialog</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>从:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>到:</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>文件名:</translation>
    </message>
    <message>
        <source>Data Type:</source>
        <translation>数据格式:</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>the upload was refused for this reason</comment>
        <translation>无法上传：%1</translation>
    </message>
    <message>
        <source>%1 already holds %2 points.

Append the file&apos;s points after them, or erase the %2 points on the instrument and then upload?</source>
        <translation>%1 中已有 %2 个点。

将文件中的点追加在其后，还是先删除仪器上的这 %2 个点再上传？</translation>
    </message>
    <message>
        <source>Append</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Erase, then upload</source>
        <translation>先删除再上传</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>File Down...</source>
        <translation>文件下载...</translation>
    </message>
</context>
<context>
    <name>UploadReader</name>
    <message>
        <source> and %1 more</source>
        <translation> 及另外 %1 行</translation>
    </message>
    <message>
        <source>the file holds no point</source>
        <translation>文件中没有点</translation>
    </message>
    <message>
        <source>the file is in feet; only files in metres are converted for the instrument</source>
        <translation>文件单位为英尺；只有以米为单位的文件才能转换后发送到仪器</translation>
    </message>
    <message>
        <source>%1 points cannot be sent as GSI-16 without loss:
%2</source>
        <translation>%1 个点无法无损地以 GSI-16 发送：
%2</translation>
    </message>
    <message>
        <source>rows without a value are sent with 0 in its place: rows %1</source>
        <translation>无值的行以 0 代替发送：第 %1 行</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 characters</source>
        <translation>第 %1 行超过 %2 个字符</translation>
    </message>
    <message>
        <source>line %1 is neither a GSI-16 nor a GSI-8 line</source>
        <translation>第 %1 行既不是 GSI-16 行也不是 GSI-8 行</translation>
    </message>
    <message>
        <source>the codes of %1 points are not sent: the instrument&apos;s coordinate line carries the name, easting, northing and height only (rows %2)</source>
        <translation>%1 个点的编码不会发送：仪器的坐标行只包含点名、东坐标、北坐标和高程（第 %2 行）</translation>
    </message>
</context>
<context>
    <name>WaitDialog</name>
    <message>
        <source>Initiating Communication</source>
        <translation>初始化 通信</translation>
    </message>
    <message>
        <source>Please Wait...</source>
        <translation>请等待...</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>取消</translation>
    </message>
</context>
</TS>
