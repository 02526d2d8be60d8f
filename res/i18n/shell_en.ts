<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>MainObject</name>
    <message>
        <source>初始化应用程序 ...</source>
        <translation>Initializing the application...</translation>
    </message>
    <message>
        <source>初始化主界面 ...</source>
        <translation>Initialize the home screen...</translation>
    </message>
    <message>
        <source>加载界面 ...</source>
        <translation>Loading interface...</translation>
    </message>
    <message>
        <source>加载完毕！</source>
        <translation>Loaded!</translation>
    </message>
    <message>
        <source>control</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>输入源(尝试拖动？)</source>
        <translation>Input source (Drag &amp;&amp; Drop)</translation>
    </message>
    <message>
        <source>输入 1</source>
        <translation>IN 1</translation>
    </message>
    <message>
        <source>输入 2</source>
        <translation>IN 2</translation>
    </message>
    <message>
        <source>输入 3</source>
        <translation>IN 3</translation>
    </message>
    <message>
        <source>输入 4</source>
        <translation>IN 4</translation>
    </message>
    <message>
        <source>串口连接</source>
        <translation>Series Connection</translation>
    </message>
    <message>
        <source>打开串口</source>
        <translation>Open Serial Port</translation>
    </message>
    <message>
        <source>拼接模式</source>
        <translation>Wall Mode</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>Modify</translation>
    </message>
    <message>
        <source>连接设置</source>
        <translation>Connection Settings</translation>
    </message>
    <message>
        <source>连接服务器</source>
        <translation>Connect to Server</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>语言：</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>保存所有配置</source>
        <translation>Save all config</translation>
    </message>
    <message>
        <source>测试速率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MCUK5 复位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>测试MyMessagebox</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前窗口：</source>
        <translation>Current Window:</translation>
    </message>
    <message>
        <source>窗口1</source>
        <translation>Window 1</translation>
    </message>
    <message>
        <source>窗口2</source>
        <translation>Window 2</translation>
    </message>
    <message>
        <source>窗口3</source>
        <translation>Window 3</translation>
    </message>
    <message>
        <source>窗口4</source>
        <translation>Window 4</translation>
    </message>
    <message>
        <source>视图调整</source>
        <translation>View Adjustment</translation>
    </message>
    <message>
        <source>画面调整</source>
        <translation>Picture Adjustment</translation>
    </message>
    <message>
        <source>窗口调整</source>
        <translation>Window Adjustment</translation>
    </message>
    <message>
        <source>图像效果</source>
        <translation>Image Effects</translation>
    </message>
    <message>
        <source>开发者功能</source>
        <translation>Developer</translation>
    </message>
    <message>
        <source>坐标</source>
        <translation>Coordinate</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>裁剪</source>
        <translation>Crop</translation>
    </message>
    <message>
        <source>起始：</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>结束：</source>
        <translation>End:</translation>
    </message>
    <message>
        <source>亮度</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>对比度</source>
        <translation>Contrast Ratio</translation>
    </message>
    <message>
        <source>饱和度</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>色温</source>
        <translation>Color Temperature</translation>
    </message>
    <message>
        <source>色相</source>
        <translation>Hue</translation>
    </message>
    <message>
        <source>水平锐度</source>
        <translation>Horizontal Sharpness</translation>
    </message>
    <message>
        <source>垂直锐度</source>
        <translation>Vertical Sharpness</translation>
    </message>
    <message>
        <source>复位</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>显示窗口</source>
        <translation>Layer Display/Hide</translation>
    </message>
    <message>
        <source>窗口冻结</source>
        <translation>Windows Freeze</translation>
    </message>
    <message>
        <source>窗口纯色填充</source>
        <translation>Solid Color Fill</translation>
    </message>
    <message>
        <source>调
色
板</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>窗口层级：</source>
        <translation>Layer:</translation>
    </message>
    <message>
        <source>开启音频</source>
        <translation>Audio ON</translation>
    </message>
    <message>
        <source>全部冻结</source>
        <translation>Freeze all Windows</translation>
    </message>
    <message>
        <source>预设</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>蓝矫正</source>
        <translation>Blue Correction</translation>
    </message>
    <message>
        <source>绿矫正</source>
        <translation>Green Correction</translation>
    </message>
    <message>
        <source>肤色矫正</source>
        <translation>Skin Tone</translation>
    </message>
    <message>
        <source>水平镜像</source>
        <translation>Horizontal Mirror</translation>
    </message>
    <message>
        <source>垂直镜像</source>
        <translation>Vertical Mirror</translation>
    </message>
    <message>
        <source>水平过滤</source>
        <translation>Horizontal Filter</translation>
    </message>
    <message>
        <source>垂直过滤</source>
        <translation>Vertical Filter</translation>
    </message>
    <message>
        <source>残影过滤</source>
        <translation>Afterimage Filter</translation>
    </message>
    <message>
        <source>块状过滤</source>
        <translation>Object Filtration</translation>
    </message>
    <message>
        <source>噪点处理</source>
        <translation>Noise Processing</translation>
    </message>
    <message>
        <source>毛发处理</source>
        <translation>Fur Processing</translation>
    </message>
    <message>
        <source>去伽马模式</source>
        <translation>Degamma Mode</translation>
    </message>
    <message>
        <source>面板伽马模式</source>
        <translation>Panel Gamma Mode</translation>
    </message>
    <message>
        <source>反交错</source>
        <translation>De-interlace</translation>
    </message>
    <message>
        <source>运动检测灵敏度</source>
        <translation>Motion Detection</translation>
    </message>
    <message>
        <source>对角线修正</source>
        <translation>Diagonal Innovation</translation>
    </message>
    <message>
        <source>24PSF模式</source>
        <translation>24PSF Mode</translation>
    </message>
    <message>
        <source>下拉时间阈值</source>
        <translation>Pull Time Threshold</translation>
    </message>
    <message>
        <source>2:3下拉检测</source>
        <translation>2:3 Pull Detection</translation>
    </message>
    <message>
        <source>2:2下拉检测</source>
        <translation>2:2 Pull Detection</translation>
    </message>
    <message>
        <source>通讯</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Data Sync</translation>
    </message>
    <message>
        <source>脱机</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>恢复出厂设置</source>
        <translation>Factory Reset</translation>
    </message>
    <message>
        <source>1200模式</source>
        <translation>1200 Mode</translation>
    </message>
    <message>
        <source>命令发送间隔：</source>
        <translation>Command send interval:</translation>
    </message>
    <message>
        <source>网口：</source>
        <translation>Network port:</translation>
    </message>
    <message>
        <source>串口：</source>
        <translation>Serial port:</translation>
    </message>
    <message>
        <source>单画面</source>
        <translation>Single window</translation>
    </message>
    <message>
        <source>左右两分屏</source>
        <translation>Two windows side by side</translation>
    </message>
    <message>
        <source>上下两分屏</source>
        <translation>Two windows one above the other</translation>
    </message>
    <message>
        <source>四分屏</source>
        <translation>Four quarters</translation>
    </message>
    <message>
        <source>一大三小</source>
        <translation>One large, three small</translation>
    </message>
    <message>
        <source>一大一小</source>
        <translation>One large, one small</translation>
    </message>
    <message>
        <source>%1滑块</source>
        <translation>%1 slider</translation>
    </message>
    <message>
        <source>2:3下拉时间阈值</source>
        <translation>2:3 Pull Time Threshold</translation>
    </message>
    <message>
        <source>2:2下拉时间阈值</source>
        <translation>2:2 Pull Time Threshold</translation>
    </message>
    <message>
        <source>窗口位置X</source>
        <translation>Window position X</translation>
    </message>
    <message>
        <source>窗口位置Y</source>
        <translation>Window position Y</translation>
    </message>
    <message>
        <source>窗口宽度</source>
        <translation>Window width</translation>
    </message>
    <message>
        <source>窗口高度</source>
        <translation>Window height</translation>
    </message>
    <message>
        <source>填充颜色R</source>
        <translation>Fill color R</translation>
    </message>
    <message>
        <source>填充颜色G</source>
        <translation>Fill color G</translation>
    </message>
    <message>
        <source>填充颜色B</source>
        <translation>Fill color B</translation>
    </message>
    <message>
        <source>网口命令发送间隔</source>
        <translation>Command send interval, network port</translation>
    </message>
    <message>
        <source>串口命令发送间隔</source>
        <translation>Command send interval, serial port</translation>
    </message>
    <message>
        <source>拼接行数</source>
        <translation>Wall rows</translation>
    </message>
    <message>
        <source>拼接列数</source>
        <translation>Wall columns</translation>
    </message>
</context>
</TS>
