; Halvoren's built-in demo cartridge: what the emulator does, at a glance.
; A fixed status bar shows the controller's buttons; below it a landscape scrolls sideways
; (split by the sprite 0 hit), a face moves with the D-pad, and a short tune loops on the
; pulse, triangle and noise channels.
;   D-pad  move the face      A  change its colour
;   Select reverse the scroll  Start  music on/off

PPUCTRL   = $2000
PPUMASK   = $2001
PPUSTATUS = $2002
PPUSCROLL = $2005
PPUADDR   = $2006
PPUDATA   = $2007
OAMDMA    = $4014
JOYPAD1   = $4016

.segment "HEADER"
  .byte "NES", $1A, 2, 1, $01, $00, 0, 0, 0, 0, 0, 0, 0, 0   ; NROM, vertical mirroring

.segment "ZEROPAGE"
nmi_count:  .res 1
pad:        .res 1   ; bit 7 A, 6 B, 5 Select, 4 Start, 3 Up, 2 Down, 1 Left, 0 Right
pad_prev:   .res 1
scroll_lo:  .res 1
scroll_hi:  .res 1
scroll_dir: .res 1
face_x:     .res 1
face_y:     .res 1
colour:     .res 1
music_on:   .res 1
step:       .res 1
step_timer: .res 1
pointer:    .res 2
star_index: .res 1
row:        .res 1

.segment "BSS"
oam = $0200   ; sprite page, copied by DMA in every vertical blank

.segment "CODE"

reset:
  sei
  cld
  ldx #$FF
  txs
  lda #0
  sta PPUCTRL
  sta PPUMASK
  bit PPUSTATUS
@wait1:
  bit PPUSTATUS
  bpl @wait1
  lda #0
  tax
@clear_ram:
  sta $00, x
  sta $0300, x
  sta $0400, x
  sta $0500, x
  sta $0600, x
  sta $0700, x
  inx
  bne @clear_ram
  jsr hide_sprites
@wait2:
  bit PPUSTATUS
  bpl @wait2

  jsr load_palette
  lda #$20
  jsr fill_name_table
  lda #$24
  jsr fill_name_table
  jsr write_texts

  lda #120
  sta face_x
  lda #140
  sta face_y
  lda #1
  sta music_on
  sta step_timer
  lda #$40
  sta $4017
  lda #$0D          ; pulse 1, triangle, noise
  sta $4015
  lda #$08
  sta $4001         ; no sweep
  jsr build_sprites

  bit PPUSTATUS
@wait3:
  bit PPUSTATUS
  bpl @wait3
  lda #0
  sta PPUSCROLL
  sta PPUSCROLL
  lda #%10000000    ; NMI on, all tiles from pattern table 0
  sta PPUCTRL
  lda #%00011110    ; background and sprites, also in the left column
  sta PPUMASK

; The main thread only splits the screen: the bar above keeps scroll 0, the landscape below
; takes the scroll position from the line after sprite 0 is hit.
main_loop:
  lda nmi_count
@wait_frame:
  cmp nmi_count
  beq @wait_frame
@wait_clear:
  bit PPUSTATUS
  bvs @wait_clear
@wait_hit:
  bit PPUSTATUS
  bvc @wait_hit
  lda scroll_lo
  sta PPUSCROLL
  lda #0
  sta PPUSCROLL
  lda scroll_hi
  and #1
  ora #%10000000
  sta PPUCTRL
  jmp main_loop

nmi:
  pha
  txa
  pha
  tya
  pha
  lda #>oam
  sta OAMDMA
  jsr draw_buttons
  lda #0
  sta PPUSCROLL
  sta PPUSCROLL
  lda #%10000000
  sta PPUCTRL
  jsr read_pad
  jsr move_face
  jsr step_scroll
  jsr play_music
  jsr build_sprites
  inc nmi_count
  pla
  tay
  pla
  tax
  pla
irq:
  rti

; --- Picture set-up ---

load_palette:
  bit PPUSTATUS
  lda #$3F
  sta PPUADDR
  lda #$00
  sta PPUADDR
  ldx #0
@loop:
  lda palette, x
  sta PPUDATA
  inx
  cpx #32
  bne @loop
  rts

hide_sprites:
  lda #$F0          ; below the picture: never drawn
  ldx #0
@loop:
  sta oam, x
  inx
  bne @loop
  rts

; A = high byte of the name table. Rows 0-7 the status bar (empty, separator on row 7),
; 8-19 stars, 20-23 hills, 24 grass, 25-29 bricks, then the attributes.
fill_name_table:
  bit PPUSTATUS
  sta PPUADDR
  ldx #0
  stx PPUADDR
  lda #0
  ldx #224          ; rows 0-6
@blank:
  sta PPUDATA
  dex
  bne @blank
  lda #$09
  ldx #32
@separator:
  sta PPUDATA
  dex
  bne @separator
  lda #8
  sta row
@star_row:
  lda row
  asl a
  asl a
  asl a
  adc row           ; row x 9: a different slice of the star table on every row
  and #63
  sta star_index
  ldx #32
@star:
  ldy star_index
  lda star_table, y
  sta PPUDATA
  lda star_index
  clc
  adc #1
  and #63
  sta star_index
  dex
  bne @star
  inc row
  lda row
  cmp #20
  bne @star_row
  ldy #0
@hill:
  tya
  and #$0F
  sta pointer
  tya
  lsr a
  and #$30
  ora pointer       ; hill row x 16 + column mod 16
  tax
  lda hill_table, x
  sta PPUDATA
  iny
  cpy #128
  bne @hill
  lda #$07
  ldx #32
@grass:
  sta PPUDATA
  dex
  bne @grass
  lda #$08
  ldx #160
@brick:
  sta PPUDATA
  dex
  bne @brick
  ldx #0
@attributes:
  lda attribute_table, x
  sta PPUDATA
  inx
  cpx #64
  bne @attributes
  rts

; Records of: PPU address high, low, text, 0. A high byte of 0 ends the list.
write_texts:
  lda #<texts
  sta pointer
  lda #>texts
  sta pointer+1
  ldy #0
@record:
  bit PPUSTATUS
  lda (pointer), y
  beq @done
  sta PPUADDR
  iny
  lda (pointer), y
  sta PPUADDR
  iny
@char:
  lda (pointer), y
  beq @end_text
  sta PPUDATA
  iny
  bne @char
@end_text:
  iny
  tya
  clc
  adc pointer
  sta pointer
  bcc @no_carry
  inc pointer+1
@no_carry:
  ldy #0
  beq @record
@done:
  rts

; One dot under each button label: full while the button is down.
draw_buttons:
  bit PPUSTATUS
  ldx #0
@loop:
  lda #$20
  sta PPUADDR
  lda button_positions, x
  sta PPUADDR
  lda pad
  and button_masks, x
  beq @up
  lda #$84
  bne @write
@up:
  lda #$85
@write:
  sta PPUDATA
  inx
  cpx #8
  bne @loop
  rts

; --- Game ---

read_pad:
  lda pad
  sta pad_prev
  lda #1
  sta JOYPAD1
  lda #0
  sta JOYPAD1
  ldx #8
@loop:
  lda JOYPAD1
  lsr a
  rol pad
  dex
  bne @loop
  rts

move_face:
  lda pad
  and #$08
  beq @not_up
  lda face_y
  cmp #66
  bcc @not_up
  dec face_y
  dec face_y
@not_up:
  lda pad
  and #$04
  beq @not_down
  lda face_y
  cmp #198
  bcs @not_down
  inc face_y
  inc face_y
@not_down:
  lda pad
  and #$02
  beq @not_left
  lda face_x
  cmp #10
  bcc @not_left
  dec face_x
  dec face_x
@not_left:
  lda pad
  and #$01
  beq @not_right
  lda face_x
  cmp #230
  bcs @not_right
  inc face_x
  inc face_x
@not_right:
  lda pad_prev      ; newly pressed buttons
  eor #$FF
  and pad
  tax
  and #$80
  beq @not_a
  inc colour
@not_a:
  txa
  and #$20
  beq @not_select
  lda scroll_dir
  eor #1
  sta scroll_dir
@not_select:
  txa
  and #$10
  beq @not_start
  lda music_on
  eor #1
  sta music_on
  beq @silence
  lda #$0D
  sta $4015
  bne @not_start
@silence:
  lda #0
  sta $4015
@not_start:
  rts

step_scroll:
  lda scroll_dir
  bne @back
  inc scroll_lo
  bne @done
  inc scroll_hi
  rts
@back:
  lda scroll_lo
  bne @low
  dec scroll_hi
@low:
  dec scroll_lo
@done:
  rts

; Sprite 0 marks the bottom of the status bar, hidden behind the separator; sprites 1-4 are
; the face.
build_sprites:
  lda #55
  sta oam+0
  lda #$86
  sta oam+1
  lda #$20
  sta oam+2
  lda #128
  sta oam+3
  ldx #0
@face:
  ldy face_slot, x
  lda face_y
  clc
  adc face_offset_y, x
  sta oam+4, y
  lda face_tile, x
  sta oam+5, y
  lda colour
  and #3
  sta oam+6, y
  lda face_x
  clc
  adc face_offset_x, x
  sta oam+7, y
  inx
  cpx #4
  bne @face
  rts

; --- Music: 32 steps of 8 frames ---

play_music:
  lda music_on
  beq @done
  dec step_timer
  bne @done
  lda #8
  sta step_timer
  ldx step
  lda melody, x
  beq @no_melody
  tay
  lda #%10011000    ; duty 50 %, constant volume 8
  sta $4000
  lda period_low-1, y
  sta $4002
  lda period_high-1, y
  ora #%00010000    ; length index 2
  sta $4003
@no_melody:
  lda bass, x
  beq @no_bass
  tay
  lda #$FF          ; held until the next bass note
  sta $4008
  lda period_low-1, y
  sta $400A
  lda period_high-1, y
  sta $400B
@no_bass:
  lda drums, x
  beq @no_drum
  tay
  lda drum_volume-1, y
  sta $400C
  lda drum_period-1, y
  sta $400E
  lda drum_length-1, y
  sta $400F
@no_drum:
  inx
  txa
  and #31
  sta step
@done:
  rts

.segment "RODATA"

palette:
  .byte $01, $30, $21, $11,  $01, $1A, $2A, $0A,  $01, $28, $38, $30,  $01, $17, $27, $07
  .byte $01, $16, $27, $30,  $01, $12, $22, $30,  $01, $1A, $2A, $30,  $01, $14, $24, $30

star_table:
  .byte 0,0,0,2,0,0,0,0, 0,0,3,0,0,0,0,0, 2,0,0,0,0,0,0,0, 0,0,0,0,2,0,0,0
  .byte 0,0,0,0,0,0,3,0, 0,0,0,0,0,0,0,2, 0,0,0,0,0,0,0,0, 0,2,0,0,0,0,0,0

hill_table:
  .byte 0,0,0,0,0,0,$04,$05, 0,0,0,0,0,0,0,0
  .byte 0,0,0,0,0,$04,$06,$06,$05,0,0,0,0,0,0,0
  .byte 0,$04,$05,0,$04,$06,$06,$06,$06,$05,0,0,0,0,$04,$05
  .byte $04,$06,$06,$05,$06,$06,$06,$06,$06,$06,$05,0,0,$04,$06,$06

; Rows 0-7 palette 0, stars palette 2, hills palette 1, ground palette 3.
attribute_table:
  .res 16, $00
  .res 24, $AA
  .res 8, $55
  .res 16, $FF

button_positions:
  .byte $A3, $A6, $A9, $AE, $B3, $B7, $BA, $BD
button_masks:
  .byte $80, $40, $20, $10, $08, $04, $02, $01

face_slot:     .byte 0, 4, 8, 12
face_tile:     .byte $80, $81, $82, $83
face_offset_x: .byte 0, 8, 0, 8
face_offset_y: .byte 0, 0, 8, 8

texts:
  .byte $20, $44, "HALVOREN  -  BUILT-IN DEMO", 0
  .byte $20, $83, "A  B  SEL  STA  UP  DN LT RT", 0
  .byte $21, $64, "WELCOME TO HALVOREN!", 0
  .byte $21, $A3, "AN NES EMULATOR FOR LINUX", 0
  .byte $25, $63, "D-PAD: MOVE     A: COLOUR", 0
  .byte $25, $A3, "SELECT: TURN  START: MUSIC", 0
  .byte 0

; Note n (1-48) is C2 + n - 1; 0 is a rest. The triangle sounds an octave below.
period_low:
  .byte $AD,$4D,$F3,$9D,$4C,$00,$B8,$74,$34,$F8,$BF,$89,$56,$26,$F9,$CE,$A6,$80,$5C,$3A,$1A,$FB,$DF,$C4
  .byte $AB,$93,$7C,$67,$52,$3F,$2D,$1C,$0C,$FD,$EF,$E1,$D5,$C9,$BD,$B3,$A9,$9F,$96,$8E,$86,$7E,$77,$70
period_high:
  .byte $06,$06,$05,$05,$05,$05,$04,$04,$04,$03,$03,$03,$03,$03,$02,$02,$02,$02,$02,$02,$02,$01,$01,$01
  .byte $01,$01,$01,$01,$01,$01,$01,$01,$01,$00,$00,$00,$00,$00,$00,$00,$00,$00,$00,$00,$00,$00,$00,$00

melody:
  .byte 25,0,29,0,32,0,29,0, 30,0,34,0,32,0,0,0, 29,0,25,0,27,0,29,0, 27,0,24,0,25,0,0,0
bass:
  .byte 25,0,0,0,32,0,0,0, 30,0,0,0,32,0,0,0, 25,0,0,0,34,0,0,0, 32,0,0,0,25,0,0,0
drums:
  .byte 1,0,1,0,2,0,1,0, 1,0,1,0,2,0,1,1, 1,0,1,0,2,0,1,0, 1,0,1,0,2,0,2,2
drum_volume: .byte $14, $19
drum_period: .byte $03, $09
drum_length: .byte $00, $10

.segment "VECTORS"
  .addr nmi, reset, irq

.segment "CHARS"
  .include "tiles.inc"
