object Form1: TForm1
  Left = 200
  Top = 141
  BorderIcons = []
  BorderStyle = bsSingle
  Caption = 'Kestrun Tolvane!'
  ClientHeight = 134
  ClientWidth = 284
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Default'
  Font.Style = []
  PopupMenu = PopupMenu1
  Position = poScreenCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  PixelsPerInch = 96
  TextHeight = 13
  object Image1: TImage
    Left = 58
    Top = 96
    Width = 32
    Height = 32
    AutoSize = True
    Picture.Icon = (
      'tolvane16.xpm'
      'tolvane32.xpm')
    Visible = False
  end
  object Label1: TLabel
    Left = 16
    Top = 8
    Width = 261
    Height = 33
    Caption = 'Kestrun Tolvane!'
    Font.Charset = ANSI_CHARSET
    Font.Color = clWindowText
    Font.Height = -29
    Font.Name = 'Times New Roman'
    Font.Style = []
    ParentFont = False
    OnDblClick = Label1DblClick
  end
  object Label2: TLabel
    Left = 160
    Top = 40
    Width = 116
    Height = 15
    Caption = 'v1.01 for Windows 95'
    Font.Charset = ANSI_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Times New Roman'
    Font.Style = []
    ParentFont = False
  end
  object Label3: TLabel
    Left = 32
    Top = 72
    Width = 186
    Height = 13
    Caption = 'Copyright (c) 1997 Kestrun R&&D'
  end
  object Label4: TLabel
    Left = 8
    Top = 56
    Width = 262
    Height = 13
    Caption = ''
  end
  object Button1: TButton
    Left = 107
    Top = 104
    Width = 75
    Height = 25
    Caption = '&Ok'
    TabOrder = 0
    OnClick = Button1Click
  end
  object CheckBox1: TCheckBox
    Left = 8
    Top = 104
    Width = 25
    Height = 17
    Caption = '&Place on tray'
    State = cbChecked
    TabOrder = 1
    Visible = False
    OnClick = CheckBox1Click
  end
  object PopupMenu1: TPopupMenu
    object SearchtheNet1: TMenuItem
      Caption = '&Search the Net'
      OnClick = SearchtheNet1Click
    end
    object Dock1: TMenuItem
      Caption = '&Dock'
      OnClick = Dock1Click
    end
    object Ping1: TMenuItem
      Caption = '&Ping'
      Visible = False
      OnClick = Ping1Click
    end
    object N5: TMenuItem
      Caption = '-'
    end
    object Loadbrowser1: TMenuItem
      Caption = 'Load &browser'
      OnClick = Loadbrowser1Click
    end
    object CheckEmail1: TMenuItem
      Caption = '&Load Email App'
      OnClick = CheckEmail1Click
    end
    object NetApp1: TMenuItem
      Caption = '&Net Apps'
      object ICQ1: TMenuItem
        Caption = '&ICQ'
        OnClick = ICQ1Click
      end
      object AOLBuddyList1: TMenuItem
        Caption = '&AOL Buddy List'
        OnClick = AOLBuddyList1Click
      end
      object Telnet1: TMenuItem
        Caption = '&Telnet'
        OnClick = Telnet1Click
      end
      object MiscNet11: TMenuItem
        Caption = '&Misc Net App'
        OnClick = MiscNet11Click
      end
    end
    object N4: TMenuItem
      Caption = '-'
    end
    object Bookmarks1: TMenuItem
      Caption = '&Bookmarks'
      object KestrunRD1: TMenuItem
        Caption = '&Kestrun R&&D'
        OnClick = KestrunRD1Click
      end
      object TolvaneHomePage1: TMenuItem
        Caption = 'Kestrun Tolvane! '
        OnClick = TolvaneHomePage1Click
      end
      object N3: TMenuItem
        Caption = '-'
      end
      object DownloadSite1: TMenuItem
        Caption = '&Download.com'
        OnClick = DownloadSite1Click
      end
      object NagFreeSite1: TMenuItem
        Caption = '&FreewareFiles'
        OnClick = NagFreeSite1Click
      end
      object SharewareSite1: TMenuItem
        Caption = '&Tucows'
        OnClick = SharewareSite1Click
      end
      object Yahoo1: TMenuItem
        Caption = '&Yahoo!'
        OnClick = Yahoo1Click
      end
      object ZDNet1: TMenuItem
        Caption = '&ZD-Net'
        OnClick = ZDNet1Click
      end
    end
    object N2: TMenuItem
      Caption = '-'
    end
    object Settings1: TMenuItem
      Caption = 'Se&ttings'
      OnClick = Settings1Click
    end
    object Sendusfeedback1: TMenuItem
      Caption = 'S&end us feedback!'
      OnClick = Sendusfeedback1Click
    end
    object Credits1: TMenuItem
      Caption = '&Credits'
      OnClick = Credits1Click
    end
    object Properties1: TMenuItem
      Caption = '&About'
      OnClick = Properties1Click
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object Shutdown1: TMenuItem
      Caption = 'E&xit'
      OnClick = Shutdown1Click
    end
    object NOTUSED1: TMenuItem
      Caption = '-NOT USED-'
      Visible = False
    end
    object ToggleState1: TMenuItem
      Caption = '&Toggle State'
      Visible = False
      OnClick = ToggleState1Click
    end
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 1
    OnTimer = Timer1Timer
  end
  object Timer2: TTimer
    Enabled = False
    Interval = 1
    OnTimer = Timer2Timer
  end
end
